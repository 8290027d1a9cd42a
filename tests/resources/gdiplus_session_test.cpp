// GDI+ starts once on demand, shuts down, and can start again.
#include "runtime/GdiplusSession.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(GdiplusSession, StartsOnceAndAgainAfterShutdown) {
  GdiplusSession session;
  EXPECT_EQ(session.Token(), 0u);
  ASSERT_TRUE(session.EnsureStarted());
  const ULONG_PTR token = session.Token();
  EXPECT_NE(token, 0u);
  ASSERT_TRUE(session.EnsureStarted());
  EXPECT_EQ(session.Token(), token);
  session.Shutdown();
  EXPECT_EQ(session.Token(), 0u);
  session.Shutdown();  // a second shutdown has nothing to do
  ASSERT_TRUE(session.EnsureStarted());
  EXPECT_NE(session.Token(), 0u);
}

TEST(GdiplusSession, ConcurrentFirstRequestsShareOneStart) {
  GdiplusSession session;
  std::vector<ULONG_PTR> seen(8);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&session, &seen, i] { seen[i] = session.EnsureStarted() ? session.Token() : 0; });
  }
  for (std::thread& t : threads) t.join();
  for (ULONG_PTR token : seen) EXPECT_EQ(token, seen[0]);
  EXPECT_NE(seen[0], 0u);
}

}  // namespace
