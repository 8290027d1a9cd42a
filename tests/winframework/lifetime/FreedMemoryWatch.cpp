#include "FreedMemoryWatch.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kFreedPattern = 0xDD;
constexpr std::size_t kMaxKept = 1 << 16;

// In front of every block: its size, padded so that the block keeps the allocator's alignment.
struct alignas(std::max_align_t) BlockHeader {
  std::size_t size;
};

std::atomic_flag g_lock = ATOMIC_FLAG_INIT;
bool g_watching = false;
BlockHeader* g_kept[kMaxKept];
std::size_t g_keptCount = 0;

class LockHolder {
 public:
  LockHolder() {
    while (g_lock.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~LockHolder() { g_lock.clear(std::memory_order_release); }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
};

void* Allocate(std::size_t size) {
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (header == nullptr) return nullptr;
  header->size = size;
  return header + 1;
}

void Free(void* block) {
  if (block == nullptr) return;
  BlockHeader* header = static_cast<BlockHeader*>(block) - 1;
  {
    LockHolder hold;
    if (g_watching && g_keptCount < kMaxKept) {
      std::memset(block, kFreedPattern, header->size);
      g_kept[g_keptCount++] = header;
      return;
    }
  }
  std::free(header);
}

bool StillPattern(const BlockHeader* header) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(header + 1);
  for (std::size_t i = 0; i < header->size; ++i) {
    if (bytes[i] != kFreedPattern) return false;
  }
  return true;
}

}  // namespace

FreedMemoryWatch::FreedMemoryWatch() {
  LockHolder hold;
  g_watching = true;
}

FreedMemoryWatch::~FreedMemoryWatch() {
  std::size_t count = 0;
  {
    LockHolder hold;
    g_watching = false;
    count = g_keptCount;
    g_keptCount = 0;
  }
  for (std::size_t i = 0; i < count; ++i) std::free(g_kept[i]);
}

std::size_t FreedMemoryWatch::BlocksFreed() const {
  LockHolder hold;
  return g_keptCount;
}

std::size_t FreedMemoryWatch::BlocksWrittenAfterFree() const {
  LockHolder hold;
  std::size_t written = 0;
  for (std::size_t i = 0; i < g_keptCount; ++i) written += StillPattern(g_kept[i]) ? 0 : 1;
  return written;
}

void* operator new(std::size_t size) {
  void* block = Allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Free(block); }
