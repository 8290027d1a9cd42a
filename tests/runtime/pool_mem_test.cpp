// The fixed-block pool: what goes to the pool and what to the heap, exhaustion, reallocation, the
// order in which blocks are handed out, and the process-wide pool behind every framework object.
#include "runtime/AppInstance.h"
#include "runtime/PoolMem.h"
#include "runtime/VolObject.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <thread>
#include <vector>

namespace {

// A static object that asks to be constructed as early as a program object can be. The pool must
// be ready even for it; it checks before allocating so that a pool not yet built shows as a failure.
struct EarlyStaticObject {
  EarlyStaticObject() : poolWasReady(g_appInstance.pool.Base() != nullptr) {
    if (poolWasReady) text = new CWString(L"built while the program's static objects are constructed");
  }
  bool poolWasReady;
  CWString* text = nullptr;
};
#if defined(__GNUC__)
EarlyStaticObject g_earlyObject __attribute__((init_priority(102)));
#else
EarlyStaticObject g_earlyObject;
#endif

int64_t BlockIndex(const CPoolMem& pool, const void* p) {
  if (!pool.Contains(p)) return -1;
  return (static_cast<const char*>(p) - pool.Base()) / CPoolMem::kBlockSize;
}

// The free list of an area whose 32,768 blocks were all chained at start: a stack holding every
// block with the first one on top, onto which freed blocks are pushed.
class ChainedListModel {
 public:
  ChainedListModel() {
    for (int64_t i = CPoolMem::kBlockCount - 1; i >= 0; --i) stack_.push_back(i);
  }
  // The block handed out, -1 when exhausted.
  int64_t Pop() {
    if (stack_.empty()) return -1;
    const int64_t top = stack_.back();
    stack_.pop_back();
    return top;
  }
  void Push(int64_t block) { stack_.push_back(block); }
  // What the link in the block just popped holds: the next free block, -1 for null.
  int64_t Top() const { return stack_.empty() ? -1 : stack_.back(); }

 private:
  std::vector<int64_t> stack_;
};

TEST(PoolMem, BlockSizeIsTheBoundaryBetweenPoolAndHeap) {
  CPoolMem pool;
  struct Case {
    int64_t size;
    bool inPool;
  };
  for (const Case& c : {Case{1, true}, Case{255, true}, Case{256, true}, Case{257, false}, Case{4096, false}}) {
    void* p = pool.PoolAlloc(c.size);
    ASSERT_NE(p, nullptr) << c.size;
    EXPECT_EQ(pool.Contains(p), c.inPool) << c.size;
    std::memset(p, 0xAB, static_cast<size_t>(c.size));
    pool.PoolFree(p);
  }
  EXPECT_EQ(pool.End() - pool.Base(), 0x800000);
  EXPECT_EQ(pool.BlockSize(), 256);
}

TEST(PoolMem, ExhaustedPoolFallsBackToTheHeapAndTakesItsBlocksBack) {
  CPoolMem pool;
  std::vector<void*> blocks;
  std::set<void*> distinct;
  for (int64_t i = 0; i < CPoolMem::kBlockCount; ++i) {
    void* p = pool.PoolAlloc(16);
    ASSERT_TRUE(pool.Contains(p)) << i;
    blocks.push_back(p);
    distinct.insert(p);
  }
  EXPECT_EQ(distinct.size(), static_cast<size_t>(CPoolMem::kBlockCount));

  void* overflow = pool.PoolAlloc(16);
  ASSERT_NE(overflow, nullptr);
  EXPECT_FALSE(pool.Contains(overflow));
  std::memset(overflow, 0x5A, 16);
  pool.PoolFree(overflow);  // back to the heap: the pool stays exhausted
  void* again = pool.PoolAlloc(16);
  EXPECT_FALSE(pool.Contains(again));
  pool.PoolFree(again);

  pool.PoolFree(blocks[1234]);
  EXPECT_EQ(pool.PoolAlloc(200), blocks[1234]);
}

TEST(PoolMem, ReallocationKeepsPoolBlocksInPlaceAndMovesGrowingOnesToTheHeap) {
  CPoolMem pool;
  unsigned char* block = static_cast<unsigned char*>(pool.PoolAlloc(100));
  for (int i = 0; i < 256; ++i) block[i] = static_cast<unsigned char>(i);

  EXPECT_EQ(pool.PoolRealloc(block, 200), block);
  EXPECT_EQ(pool.PoolRealloc(block, 256), block);

  unsigned char* grown = static_cast<unsigned char*>(pool.PoolRealloc(block, 300));
  ASSERT_NE(grown, nullptr);
  EXPECT_FALSE(pool.Contains(grown));
  for (int i = 0; i < 256; ++i) ASSERT_EQ(grown[i], i) << i;
  // The old block is free again: it is the next one handed out.
  EXPECT_EQ(pool.PoolAlloc(8), block);

  // Once in the heap, always in the heap.
  unsigned char* shrunk = static_cast<unsigned char*>(pool.PoolRealloc(grown, 16));
  EXPECT_FALSE(pool.Contains(shrunk));
  for (int i = 0; i < 16; ++i) ASSERT_EQ(shrunk[i], i) << i;
  pool.PoolFree(shrunk);

  // A realloc of nothing is a plain allocation.
  void* fresh = pool.PoolRealloc(nullptr, 10);
  EXPECT_TRUE(pool.Contains(fresh));
}

TEST(PoolMem, HandsOutBlocksInTheOrderOfAFullyChainedList) {
  CPoolMem pool;
  ChainedListModel model;
  std::vector<void*> held;
  std::mt19937 random(20240611);
  auto take = [&] {
    void* p = pool.PoolAlloc(1 + static_cast<int64_t>(random() % 256));
    const int64_t expected = model.Pop();
    ASSERT_EQ(BlockIndex(pool, p), expected);
    if (expected >= 0) {
      // The block still carries the link a chained list would have left in it.
      char* link = nullptr;
      std::memcpy(&link, p, sizeof link);
      const int64_t next = model.Top();
      ASSERT_EQ(link, next < 0 ? nullptr : pool.Base() + next * CPoolMem::kBlockSize);
    }
    held.push_back(p);
  };
  auto give = [&](size_t at) {
    void* p = held[at];
    held.erase(held.begin() + static_cast<std::ptrdiff_t>(at));
    const int64_t index = BlockIndex(pool, p);
    if (index >= 0) model.Push(index);
    pool.PoolFree(p);
  };
  // Mixed use, then the whole pool and beyond, then frees and reuse in last-in-first-out order.
  for (int i = 0; i < 20000; ++i) {
    if (held.empty() || random() % 3 != 0) {
      take();
    } else {
      give(random() % held.size());
    }
    if (HasFatalFailure()) return;
  }
  while (held.size() < static_cast<size_t>(CPoolMem::kBlockCount) + 10) {
    take();
    if (HasFatalFailure()) return;
  }
  for (int i = 0; i < 5000; ++i) {
    if (random() % 2 == 0) {
      give(random() % held.size());
    } else {
      take();
    }
    if (HasFatalFailure()) return;
  }
  while (!held.empty()) give(held.size() - 1);
}

TEST(PoolMem, ConcurrentUseNeverHandsOutABlockTwice) {
  CPoolMem pool;
  constexpr int kThreads = 4;
  constexpr int kRounds = 200;
  constexpr int kBlocks = 500;
  std::vector<int> failures(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&pool, &failures, t] {
      std::vector<unsigned char*> mine;
      for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < kBlocks; ++i) {
          unsigned char* p = static_cast<unsigned char*>(pool.PoolAlloc(64));
          std::memset(p + 8, t + 1, 56);
          mine.push_back(p);
        }
        for (unsigned char* p : mine) {
          for (int i = 8; i < 64; ++i) {
            if (p[i] != t + 1) ++failures[t];
          }
          pool.PoolFree(p);
        }
        mine.clear();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

TEST(VolSpinLock, SerialisesIncrementsFromSeveralThreads) {
  VolSpinLock lock;
  int64_t counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 100000; ++i) {
        VolSpinLockHolder hold(lock);
        counter = counter + 1;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, 400000);
  EXPECT_EQ(lock.Word(), 1);
}

TEST(MemoryManager, ObjectsAndBuffersComeFromTheProcessWidePool) {
  CVolObject probe;
  EXPECT_EQ(&probe.GetMemPool(), &g_appInstance.pool);

  CVolObject* small = new CVolObject();
  EXPECT_TRUE(g_appInstance.pool.Contains(small));
  CVolObject::Delete(small);

  struct Large : CVolObject {
    char payload[300] = {};
  };
  Large* large = new Large();
  EXPECT_FALSE(g_appInstance.pool.Contains(large));
  CVolObject::Delete(large);

  void* p = probe.MemAlloc(256);
  EXPECT_TRUE(g_appInstance.pool.Contains(p));
  p = probe.MemRealloc(p, 1000);
  EXPECT_FALSE(g_appInstance.pool.Contains(p));
  probe.MemFree(p);
  probe.MemFree(nullptr);
}

TEST(MemoryManager, TryAllocAnswersNullWhereAllocEndsTheProcess) {
  CVolObject probe;
  const int64_t impossible = int64_t{1} << 60;
  EXPECT_EQ(probe.MemTryAlloc(impossible), nullptr);
  EXPECT_EXIT(probe.MemAlloc(impossible), testing::ExitedWithCode(-1), "");
  EXPECT_EXIT(
      {
        void* p = probe.MemAlloc(300);
        probe.MemRealloc(p, impossible);
      },
      testing::ExitedWithCode(-1), "");
}

TEST(AppInstance, PoolIsReadyForTheEarliestStaticObjects) {
  ASSERT_TRUE(g_earlyObject.poolWasReady);
  EXPECT_STREQ(g_earlyObject.text->GetText(), L"built while the program's static objects are constructed");
  EXPECT_TRUE(g_appInstance.pool.Contains(g_earlyObject.text));
  EXPECT_TRUE(g_appInstance.pool.Contains(g_earlyObject.text->GetBuffer().GetData()));
}

}  // namespace
