// The roots of the framework class tree. Every framework object and every buffer it owns is
// allocated through the memory-manager operations, which all forward to the process-wide pool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

class CPoolMem;

// Returns an object's own storage: the release rule of PoolFree on the process-wide pool.
void OperatorFree(void* pointer);

// Allocation by the rule of MemAlloc on the process-wide pool (exit code -1 when the heap refuses).
void* PoolAllocOrExit(int64_t size);

class CVolCommonBase {};

class CVolCommonBaseWithMemManager : public CVolCommonBase {
 public:
  // 1. Never null: the process ends with exit code -1 when memory is exhausted.
  virtual void* MemAlloc(int64_t size) const;
  // 2. Null when the memory cannot be had.
  virtual void* MemTryAlloc(int64_t size) const;
  // 3. Never null (exit code -1 as MemAlloc).
  virtual void* MemRealloc(void* pointer, int64_t newSize) const;
  // 4. A null pointer is ignored.
  virtual void MemFree(void* pointer) const;
  // 5. The process-wide pool.
  virtual CPoolMem& GetMemPool() const;

  // Objects allocated on their own take a pool block when they fit one, else a heap block.
  static void* operator new(size_t size) { return PoolAllocOrExit(static_cast<int64_t>(size)); }
  static void operator delete(void* pointer) { OperatorFree(pointer); }
  static void* operator new(size_t, void* where) noexcept { return where; }
  static void operator delete(void*, void*) noexcept {}

 protected:
  CVolCommonBaseWithMemManager() = default;
  CVolCommonBaseWithMemManager(const CVolCommonBaseWithMemManager&) = default;
  CVolCommonBaseWithMemManager& operator=(const CVolCommonBaseWithMemManager&) = default;
  ~CVolCommonBaseWithMemManager() = default;
};
