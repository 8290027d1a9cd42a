// Counts the allocations that this executable's own code makes. The runtime and the framework are
// linked into the benchmark, so their calls to the C run time's allocators (operator new ends there
// too) and to the heap functions go through the executable's import table; those entries are
// pointed at counting stand-ins. Allocations made inside system libraries are not seen.
//
// The runtime's pool hands out its blocks without calling anything, so a measurement drains it first
// (DrainedPool): every pool request then overflows to HeapAlloc, where it is counted.
#pragma once

#include "runtime/AppInstance.h"

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstring>
#include <vector>

namespace bench_allocations {

inline std::atomic<long> g_count{0};

using MallocFunction = void* (*)(size_t);
using CallocFunction = void* (*)(size_t, size_t);
using ReallocFunction = void* (*)(void*, size_t);
using AlignedMallocFunction = void* (*)(size_t, size_t);
using AlignedReallocFunction = void* (*)(void*, size_t, size_t);
using HeapAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using HeapReAllocFunction = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);
using LocalAllocFunction = HLOCAL(WINAPI*)(UINT, SIZE_T);
using GlobalAllocFunction = HGLOBAL(WINAPI*)(UINT, SIZE_T);

inline MallocFunction g_malloc = nullptr;
inline CallocFunction g_calloc = nullptr;
inline ReallocFunction g_realloc = nullptr;
inline AlignedMallocFunction g_alignedMalloc = nullptr;
inline AlignedReallocFunction g_alignedRealloc = nullptr;
inline HeapAllocFunction g_heapAlloc = nullptr;
inline HeapReAllocFunction g_heapReAlloc = nullptr;
inline LocalAllocFunction g_localAlloc = nullptr;
inline GlobalAllocFunction g_globalAlloc = nullptr;

inline void Counted() { g_count.fetch_add(1, std::memory_order_relaxed); }

inline void* CountMalloc(size_t size) {
  Counted();
  return g_malloc(size);
}
inline void* CountCalloc(size_t count, size_t size) {
  Counted();
  return g_calloc(count, size);
}
inline void* CountRealloc(void* pointer, size_t size) {
  Counted();
  return g_realloc(pointer, size);
}
inline void* CountAlignedMalloc(size_t size, size_t alignment) {
  Counted();
  return g_alignedMalloc(size, alignment);
}
inline void* CountAlignedRealloc(void* pointer, size_t size, size_t alignment) {
  Counted();
  return g_alignedRealloc(pointer, size, alignment);
}
inline LPVOID WINAPI CountHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  Counted();
  return g_heapAlloc(heap, flags, size);
}
inline LPVOID WINAPI CountHeapReAlloc(HANDLE heap, DWORD flags, LPVOID pointer, SIZE_T size) {
  Counted();
  return g_heapReAlloc(heap, flags, pointer, size);
}
inline HLOCAL WINAPI CountLocalAlloc(UINT flags, SIZE_T size) {
  Counted();
  return g_localAlloc(flags, size);
}
inline HGLOBAL WINAPI CountGlobalAlloc(UINT flags, SIZE_T size) {
  Counted();
  return g_globalAlloc(flags, size);
}

// Points one import entry at replacement, keeping the original in saved.
template <typename Function>
void Redirect(ULONG_PTR* entry, Function& saved, Function replacement) {
  DWORD old = 0;
  if (VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &old) == FALSE) return;
  saved = reinterpret_cast<Function>(*entry);
  *entry = reinterpret_cast<ULONG_PTR>(replacement);
  VirtualProtect(entry, sizeof *entry, old, &old);
}

inline void RedirectByName(const char* name, ULONG_PTR* entry) {
  if (std::strcmp(name, "malloc") == 0) Redirect(entry, g_malloc, &CountMalloc);
  else if (std::strcmp(name, "calloc") == 0) Redirect(entry, g_calloc, &CountCalloc);
  else if (std::strcmp(name, "realloc") == 0) Redirect(entry, g_realloc, &CountRealloc);
  else if (std::strcmp(name, "_aligned_malloc") == 0) Redirect(entry, g_alignedMalloc, &CountAlignedMalloc);
  else if (std::strcmp(name, "_aligned_realloc") == 0) Redirect(entry, g_alignedRealloc, &CountAlignedRealloc);
  else if (std::strcmp(name, "HeapAlloc") == 0) Redirect(entry, g_heapAlloc, &CountHeapAlloc);
  else if (std::strcmp(name, "HeapReAlloc") == 0) Redirect(entry, g_heapReAlloc, &CountHeapReAlloc);
  else if (std::strcmp(name, "LocalAlloc") == 0) Redirect(entry, g_localAlloc, &CountLocalAlloc);
  else if (std::strcmp(name, "GlobalAlloc") == 0) Redirect(entry, g_globalAlloc, &CountGlobalAlloc);
}

}  // namespace bench_allocations

// Redirects the executable's allocator imports once; answers how many entries were redirected.
inline int InstallAllocationCounter() {
  using namespace bench_allocations;
  static int redirected = -1;
  if (redirected >= 0) return redirected;
  redirected = 0;
  auto* const base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return redirected;
  for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       module->Name != 0; ++module) {
    if (module->OriginalFirstThunk == 0) continue;  // no names to match
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      const ULONG_PTR before = entries->u1.Function;
      RedirectByName(reinterpret_cast<const char*>(byName->Name), &entries->u1.Function);
      if (entries->u1.Function != before) ++redirected;
    }
  }
  return redirected;
}

// Allocations counted since the counter was installed.
inline long AllocationCount() { return bench_allocations::g_count.load(std::memory_order_relaxed); }

// Takes every free block of the runtime's pool for its lifetime, so that pool requests reach the
// heap and the counter; gives them back afterwards.
class DrainedPool {
 public:
  DrainedPool() {
    CPoolMem& pool = g_appInstance.pool;
    blocks_.reserve(static_cast<size_t>(CPoolMem::kBlockCount));
    for (;;) {
      void* block = pool.PoolAlloc(pool.BlockSize());
      if (block == nullptr) break;
      if (!pool.Contains(block)) {  // the first overflow: the pool is empty
        pool.PoolFree(block);
        break;
      }
      blocks_.push_back(block);
    }
  }
  ~DrainedPool() {
    for (void* block : blocks_) g_appInstance.pool.PoolFree(block);
  }
  DrainedPool(const DrainedPool&) = delete;
  DrainedPool& operator=(const DrainedPool&) = delete;

  size_t Taken() const { return blocks_.size(); }

 private:
  std::vector<void*> blocks_;
};
