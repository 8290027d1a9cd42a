#include "runtime/VolCommonBase.h"

#include "runtime/AppInstance.h"

#include <cstdlib>

void OperatorFree(void* pointer) { g_appInstance.pool.PoolFree(pointer); }

void* PoolAllocOrExit(int64_t size) {
  void* p = g_appInstance.pool.PoolAlloc(size);
  if (p == nullptr) std::exit(-1);
  return p;
}

void* CVolCommonBaseWithMemManager::MemAlloc(int64_t size) const { return PoolAllocOrExit(size); }

void* CVolCommonBaseWithMemManager::MemTryAlloc(int64_t size) const { return g_appInstance.pool.PoolAlloc(size); }

void* CVolCommonBaseWithMemManager::MemRealloc(void* pointer, int64_t newSize) const {
  return g_appInstance.pool.PoolRealloc(pointer, newSize);
}

void CVolCommonBaseWithMemManager::MemFree(void* pointer) const {
  if (pointer != nullptr) g_appInstance.pool.PoolFree(pointer);
}

CPoolMem& CVolCommonBaseWithMemManager::GetMemPool() const { return g_appInstance.pool; }
