// The process-wide fixed-block pool: 32,768 blocks of 256 bytes in one 8 MiB area taken from the
// process heap, with the heap itself as overflow for larger requests and for an exhausted pool.
#pragma once

#include "runtime/VolSpinLock.h"

#include <cstdint>

class CPoolMem {
 public:
  static constexpr int64_t kBlockSize = 256;
  static constexpr int64_t kAreaSize = 0x800000;
  static constexpr int64_t kBlockCount = kAreaSize / kBlockSize;

  // Takes the area from the process heap; ends the process with exit code -1 when it cannot.
  CPoolMem();
  virtual ~CPoolMem();
  CPoolMem(const CPoolMem&) = delete;
  CPoolMem& operator=(const CPoolMem&) = delete;

  // A block when size <= blockSize and one is free, otherwise the process heap (null when it refuses).
  void* PoolAlloc(int64_t size);
  // Pool addresses go back onto the free list, all others to the process heap.
  void PoolFree(void* pointer);
  // Keeps a pool block in place while the new size fits it; moves a growing one to the heap. Ends the
  // process with exit code -1 when the heap refuses. A null pointer is served as a fresh allocation.
  void* PoolRealloc(void* pointer, int64_t newSize);

  // The range test that decides pool membership: base <= address < end.
  bool Contains(const void* pointer) const;

  char* Base() const { return base_; }
  char* End() const { return end_; }
  int64_t BlockSize() const { return blockSize_; }

 private:
  void* TakeBlock();
  void PushBlock(void* block);

  char* base_ = nullptr;
  char* end_ = nullptr;
  // The first free block, null when the pool is exhausted. Free blocks hold the address of the next one
  // in their first 8 bytes, except the blocks that were never handed out (see carveNext_).
  void* freeHead_ = nullptr;
  int64_t blockSize_ = kBlockSize;
  VolSpinLock lock_;
  // Every block from carveNext_ to end_ has never been handed out; their links are implied (each points
  // to the block 256 bytes further, the last one to null) and are written only when a block is carved.
  // So the free list is exactly the one a fully chained area would hold, but constructing the pool
  // touches none of its pages.
  char* carveNext_ = nullptr;
};
