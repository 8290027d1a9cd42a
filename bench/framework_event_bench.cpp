// What raising a control event costs. With nothing bound a raise should be one spin-lock acquisition
// and release and no allocation, close to a plain indirect call; with a handler bound it adds the
// event object's count and its call locks around the handler.
// Prints figures only: nanoseconds per call (median of interleaved rounds), the ratios to a plain
// indirect call of the handler's own type, and the allocations counted while raising.
#include "BenchAllocations.h"
#include "BenchClock.h"
#include "BenchEventOwner.h"
#include "runtime/VolObject.h"
#include "winframework/EventObjectPointer.h"
#include "winframework/EventSlot.h"
#include "winframework/WinControl.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

volatile int32_t g_sink = 0;

using Owner = BenchEventOwner;

// A mouse-event handler that does almost nothing, so the figures show the way to it.
int32_t OnMouseMove(CVolObject*, CVolObject*, int32_t, int32_t x, int32_t y, int32_t flags) {
  g_sink = g_sink + x + y + flags;
  return 0;
}

using MouseHandler = EventFunction<int32_t, int32_t, int32_t>;

// Nanoseconds per call of call(i) over calls calls.
template <typename Call>
double NanosecondsPerCall(long calls, Call call) {
  const double start = BenchSeconds();
  for (long i = 0; i < calls; ++i) call(static_cast<int32_t>(i));
  return (BenchSeconds() - start) * 1e9 / static_cast<double>(calls);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  Owner owner;
  CVolWinControl unbound;
  CVolWinControl bound;
  bound.BindEvent(ControlEvents::kMouseMove, owner.events, &OnMouseMove);

  MouseHandler volatile plain = &OnMouseMove;  // read each time: the compiler cannot see the target
  auto plainCall = [&](int32_t i) { g_sink = g_sink + plain(&owner, &bound, 0, i, i, 0); };
  auto raiseUnbound = [&](int32_t i) { g_sink = g_sink + unbound.RaiseEvent(ControlEvents::kMouseMove, i, i, 0); };
  auto raiseBound = [&](int32_t i) { g_sink = g_sink + bound.RaiseEvent(ControlEvents::kMouseMove, i, i, 0); };

  constexpr long kCalls = 2'000'000;
  constexpr int kRounds = 15;
  NanosecondsPerCall(kCalls / 10, plainCall);  // warm-up
  NanosecondsPerCall(kCalls / 10, raiseUnbound);
  NanosecondsPerCall(kCalls / 10, raiseBound);
  std::vector<double> plainNs, unboundNs, boundNs;
  for (int round = 0; round < kRounds; ++round) {
    plainNs.push_back(NanosecondsPerCall(kCalls, plainCall));
    unboundNs.push_back(NanosecondsPerCall(kCalls, raiseUnbound));
    boundNs.push_back(NanosecondsPerCall(kCalls, raiseBound));
  }
  const double plainMedian = Median(plainNs);
  const double unboundMedian = Median(unboundNs);
  const double boundMedian = Median(boundNs);
  std::printf("%ld calls a round, median of %d rounds\n", kCalls, kRounds);
  std::printf("%-36s %10s %12s\n", "", "ns/call", "ratio/plain");
  std::printf("%-36s %10.2f %12.2f\n", "plain indirect call of the handler", plainMedian, 1.0);
  std::printf("%-36s %10.2f %12.2f\n", "RaiseEvent, nothing bound", unboundMedian, unboundMedian / plainMedian);
  std::printf("%-36s %10.2f %12.2f\n", "RaiseEvent, handler bound", boundMedian, boundMedian / plainMedian);

  // Allocations, with the pool drained so that its blocks are counted too. The probes show that
  // the counter sees each kind of allocation the framework could make.
  const int redirected = InstallAllocationCounter();
  const DrainedPool drained;
  long before = AllocationCount();
  int* volatile fresh = new int(1);  // volatile: the pair cannot be optimised away
  delete fresh;
  const long byNew = AllocationCount() - before;
  before = AllocationCount();
  g_appInstance.pool.PoolFree(g_appInstance.pool.PoolAlloc(16));
  const long byPool = AllocationCount() - before;
  before = AllocationCount();
  CVolEventObjectPointer* probe = new CVolEventObjectPointer(&owner);
  probe->Release();
  const long byObject = AllocationCount() - before;
  std::printf("allocation counter: %d imports redirected, %zu pool blocks drained; probes counted: "
              "operator new %ld, pool block %ld, event object %ld\n",
              redirected, drained.Taken(), byNew, byPool, byObject);

  constexpr long kCountedCalls = 100'000;
  before = AllocationCount();
  for (long i = 0; i < kCountedCalls; ++i) raiseUnbound(static_cast<int32_t>(i));
  const long unboundAllocations = AllocationCount() - before;
  before = AllocationCount();
  for (long i = 0; i < kCountedCalls; ++i) raiseBound(static_cast<int32_t>(i));
  const long boundAllocations = AllocationCount() - before;
  std::printf("allocations in %ld raises: nothing bound %ld, handler bound %ld\n", kCountedCalls,
              unboundAllocations, boundAllocations);
  return 0;
}
