// Resident memory (working set) that constructing a pool costs: blocks carved on first use, against
// an area whose blocks are all chained at construction; and the growth as blocks are taken.
#include "runtime/PoolMem.h"

#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

double ResidentMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// What a constructor that chains every block does to the area.
char* EagerlyChainedArea() {
  char* base = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, CPoolMem::kAreaSize));
  for (int64_t i = 0; i < CPoolMem::kBlockCount; ++i) {
    char* block = base + i * CPoolMem::kBlockSize;
    char* next = i + 1 < CPoolMem::kBlockCount ? block + CPoolMem::kBlockSize : nullptr;
    std::memcpy(block, &next, sizeof next);
  }
  return base;
}

}  // namespace

int main() {
  const double start = ResidentMiB();
  CPoolMem* lazy = new CPoolMem();
  const double afterLazy = ResidentMiB();
  std::printf("constructing a pool (blocks carved on first use):  %+8.2f MiB resident\n", afterLazy - start);

  for (int taken : {1000, 10000, static_cast<int>(CPoolMem::kBlockCount)}) {
    const double before = ResidentMiB();
    for (int i = 0; i < taken; ++i) static_cast<char*>(lazy->PoolAlloc(64))[8] = 1;
    std::printf("  then %5d blocks taken (%6.2f MiB of blocks):    %+8.2f MiB resident\n", taken,
                taken * 256.0 / (1024.0 * 1024.0), ResidentMiB() - before);
    delete lazy;
    lazy = new CPoolMem();
  }
  delete lazy;

  const double beforeEager = ResidentMiB();
  char* eager = EagerlyChainedArea();
  std::printf("constructing a pool (all 32,768 blocks chained):    %+8.2f MiB resident\n", ResidentMiB() - beforeEager);
  HeapFree(GetProcessHeap(), 0, eager);
  return 0;
}
