// Allocation and release of small blocks: the process-wide pool against the process heap.
#include "BenchClock.h"
#include "runtime/AppInstance.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Nanoseconds per allocation and release, in batches of `batch` live blocks.
template <typename Alloc, typename Free>
double Measure(int64_t size, int batch, int rounds, Alloc alloc, Free release) {
  std::vector<void*> blocks(static_cast<size_t>(batch));
  volatile unsigned char sink = 0;
  const double start = BenchSeconds();
  for (int r = 0; r < rounds; ++r) {
    for (int i = 0; i < batch; ++i) {
      blocks[static_cast<size_t>(i)] = alloc(size);
      static_cast<unsigned char*>(blocks[static_cast<size_t>(i)])[0] = static_cast<unsigned char>(i);
    }
    for (int i = batch - 1; i >= 0; --i) {
      sink = static_cast<unsigned char>(sink + static_cast<unsigned char*>(blocks[static_cast<size_t>(i)])[0]);
      release(blocks[static_cast<size_t>(i)]);
    }
  }
  const double elapsed = BenchSeconds() - start;
  return elapsed * 1e9 / (static_cast<double>(batch) * rounds);
}

}  // namespace

int main() {
  CPoolMem& pool = g_appInstance.pool;
  HANDLE heap = GetProcessHeap();
  auto poolAlloc = [&pool](int64_t size) { return pool.PoolAlloc(size); };
  auto poolFree = [&pool](void* p) { pool.PoolFree(p); };
  auto heapAlloc = [heap](int64_t size) { return HeapAlloc(heap, 0, static_cast<SIZE_T>(size)); };
  auto heapFree = [heap](void* p) { HeapFree(heap, 0, p); };

  std::printf("%-8s %-6s %12s %12s %8s\n", "size", "batch", "pool ns/op", "heap ns/op", "heap/pool");
  for (int64_t size : {64, 256}) {
    for (int batch : {1, 1000}) {
      const int rounds = 2000000 / batch;
      Measure(size, batch, rounds / 10, poolAlloc, poolFree);  // warm-up
      Measure(size, batch, rounds / 10, heapAlloc, heapFree);
      const double poolNs = Measure(size, batch, rounds, poolAlloc, poolFree);
      const double heapNs = Measure(size, batch, rounds, heapAlloc, heapFree);
      std::printf("%-8lld %-6d %12.1f %12.1f %8.2f\n", static_cast<long long>(size), batch, poolNs, heapNs,
                  heapNs / poolNs);
    }
  }
  return 0;
}
