#include "runtime/PoolMem.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

void* HeapAllocExact(int64_t size) {
  if (size < 0) return nullptr;
  return HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(size));
}

}  // namespace

CPoolMem::CPoolMem() {
  void* area = HeapAllocExact(kAreaSize);
  if (area == nullptr) std::exit(-1);
  base_ = static_cast<char*>(area);
  end_ = base_ + kAreaSize;
  freeHead_ = base_;
  carveNext_ = base_;
}

CPoolMem::~CPoolMem() {
  HeapFree(GetProcessHeap(), 0, base_);
}

bool CPoolMem::Contains(const void* pointer) const {
  const char* p = static_cast<const char*>(pointer);
  return p >= base_ && p < end_;
}

void* CPoolMem::TakeBlock() {
  VolSpinLockHolder hold(lock_);
  char* block = static_cast<char*>(freeHead_);
  if (block == nullptr) return nullptr;
  if (block == carveNext_) {
    carveNext_ += blockSize_;
    char* next = carveNext_ < end_ ? carveNext_ : nullptr;
    // The link a chained area would have held; the block is about to be used, so its page is paid for.
    std::memcpy(block, &next, sizeof next);
    freeHead_ = next;
  } else {
    std::memcpy(&freeHead_, block, sizeof freeHead_);
  }
  return block;
}

void CPoolMem::PushBlock(void* block) {
  VolSpinLockHolder hold(lock_);
  std::memcpy(block, &freeHead_, sizeof freeHead_);
  freeHead_ = block;
}

void* CPoolMem::PoolAlloc(int64_t size) {
  if (size > blockSize_) return HeapAllocExact(size);
  void* block = TakeBlock();
  if (block != nullptr) return block;
  return HeapAllocExact(size);
}

void CPoolMem::PoolFree(void* pointer) {
  if (pointer == nullptr) return;
  if (!Contains(pointer)) {
    HeapFree(GetProcessHeap(), 0, pointer);
    return;
  }
  PushBlock(pointer);
}

void* CPoolMem::PoolRealloc(void* pointer, int64_t newSize) {
  if (pointer == nullptr) {
    void* fresh = PoolAlloc(newSize);
    if (fresh == nullptr) std::exit(-1);
    return fresh;
  }
  if (!Contains(pointer)) {
    void* moved = newSize < 0 ? nullptr : HeapReAlloc(GetProcessHeap(), 0, pointer, static_cast<SIZE_T>(newSize));
    if (moved == nullptr) std::exit(-1);
    return moved;
  }
  if (newSize <= blockSize_) return pointer;
  void* grown = HeapAllocExact(newSize);
  if (grown == nullptr) std::exit(-1);
  std::memcpy(grown, pointer, static_cast<size_t>(blockSize_));
  PushBlock(pointer);
  return grown;
}
