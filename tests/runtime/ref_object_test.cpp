// Counted helpers and the values that hold them: the count, the single destruction on the last
// release, the final-release hook, and how CVolRefObject takes and drops its reference.
#include "runtime/AppInstance.h"
#include "runtime/RefObject.h"
#include "runtime/VolRefObject.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// Records what happened to it in a log that outlives it.
class Tracked : public CRefObject {
 public:
  explicit Tracked(std::vector<std::string>* log) : log_(log) {}
  ~Tracked() override { log_->push_back("destroyed"); }
  void OnFinalRelease() override { log_->push_back("final release"); }

 private:
  std::vector<std::string>* log_;
};

TEST(RefObject, StartsWithTheCreatorsReferenceAndIsDestroyedByTheLastRelease) {
  std::vector<std::string> log;
  Tracked* object = new Tracked(&log);
  EXPECT_TRUE(g_appInstance.pool.Contains(object));
  EXPECT_EQ(object->RefCount(), 1);
  object->AddRef();
  EXPECT_EQ(object->RefCount(), 2);
  EXPECT_FALSE(object->Release());
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(object->Release());
  EXPECT_EQ(log, (std::vector<std::string>{"final release", "destroyed"}));
}

// Counts, from whichever thread runs them, its final-release hook and its destructor.
class Counted : public CRefObject {
 public:
  Counted(std::atomic<int>* finalReleases, std::atomic<int>* destructions)
      : finalReleases_(finalReleases), destructions_(destructions) {}
  ~Counted() override { destructions_->fetch_add(1); }
  void OnFinalRelease() override { finalReleases_->fetch_add(1); }

 private:
  std::atomic<int>* finalReleases_;
  std::atomic<int>* destructions_;
};

TEST(RefObject, ReleasesFromSeveralThreadsDestroyExactlyOnce) {
  // The threads hold every reference between them, the creator's handed over too, and start
  // together: they release side by side, and whichever comes last performs the final Release while
  // others may still be releasing. Several objects, one after the other.
  constexpr int kThreads = 4;
  constexpr int kPerThread = 10000;
  constexpr int kObjects = 10;
  for (int round = 0; round < kObjects; ++round) {
    SCOPED_TRACE(testing::Message() << "object " << round);
    std::atomic<int> finalReleases{0};
    std::atomic<int> destructions{0};
    Counted* object = new Counted(&finalReleases, &destructions);
    for (int i = 1; i < kThreads * kPerThread; ++i) object->AddRef();
    std::atomic<int> ready{0};
    std::vector<int> lastReleases(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        ready.fetch_add(1);
        while (ready.load() < kThreads) std::this_thread::yield();
        for (int i = 0; i < kPerThread; ++i) lastReleases[t] += object->Release() ? 1 : 0;
      });
    }
    for (auto& thread : threads) thread.join();
    int total = 0;
    for (int n : lastReleases) total += n;
    EXPECT_EQ(total, 1) << "Release answering 1";
    EXPECT_EQ(finalReleases.load(), 1);
    EXPECT_EQ(destructions.load(), 1);
  }
}

TEST(RefObject, IdentifiesItsOwnClassOnlyByTag) {
  std::vector<std::string> log;
  Tracked* object = new Tracked(&log);
  EXPECT_STREQ(object->GetClassInfo().name, "CRefObject");
  EXPECT_EQ(object->GetClassInfo().hash, ClassNameHash("CRefObject"));
  EXPECT_TRUE(object->IsKindOf(MakeClassTag("CRefObject")));
  EXPECT_FALSE(object->IsKindOf(MakeClassTag("CMfcWndObject")));
  object->Release();
}

TEST(VolRefObject, HoldsOneReferenceForAsLongAsItRefersToTheTarget) {
  std::vector<std::string> log;
  Tracked* target = new Tracked(&log);
  {
    CVolRefObject holder(target);
    EXPECT_EQ(target->RefCount(), 2);
    holder.SetRef(target);  // the same target again: still one reference of the holder's
    EXPECT_EQ(target->RefCount(), 2);

    CVolRefObject* clone = holder.Clone();
    EXPECT_EQ(clone->GetRef(), target);
    EXPECT_EQ(target->RefCount(), 3);
    EXPECT_TRUE(clone->IsEqual(holder));
    CVolObject::Delete(clone);
    EXPECT_EQ(target->RefCount(), 2);

    CVolRefObject other;
    EXPECT_TRUE(other.AssignFrom(holder));
    EXPECT_EQ(target->RefCount(), 3);
    other.Reset();
    EXPECT_EQ(other.GetRef(), nullptr);
    EXPECT_EQ(target->RefCount(), 2);
  }
  EXPECT_EQ(target->RefCount(), 1);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(target->Release());
  EXPECT_EQ(log.size(), 2u);
}

TEST(VolRefObject, LastHolderDestroysTheTarget) {
  std::vector<std::string> log;
  Tracked* target = new Tracked(&log);
  CVolRefObject* holder = new CVolRefObject(target);
  target->Release();  // only the holder keeps it now
  EXPECT_TRUE(log.empty());
  CVolObject::Delete(holder);
  EXPECT_EQ(log, (std::vector<std::string>{"final release", "destroyed"}));
}

TEST(VolRefObject, EqualOnlyForTheSameTarget) {
  std::vector<std::string> log;
  Tracked* first = new Tracked(&log);
  Tracked* second = new Tracked(&log);
  CVolRefObject a(first);
  CVolRefObject b(first);
  CVolRefObject c(second);
  CVolRefObject none;
  CVolRefObject alsoNone;
  EXPECT_TRUE(a.IsEqual(b));
  EXPECT_FALSE(a.IsEqual(c));
  EXPECT_FALSE(a.IsEqual(none));
  EXPECT_TRUE(none.IsEqual(alsoNone));
  b.SetTag(1);
  EXPECT_FALSE(a.IsEqual(b));
  a.SetRef(second);  // rebinding drops the old reference
  EXPECT_EQ(first->RefCount(), 2);
  EXPECT_EQ(second->RefCount(), 3);
  first->Release();
  second->Release();
}

}  // namespace
