// The idle step of the application adapter: the platform's idle work for the period first, then the
// application object's.
#include "app/MfcApp.h"
#include "app/UserApp.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int32_t StartNothing() { return 1; }

// An application object that answers a chosen value and keeps the idle times it was given.
class RecordingApp : public CVolWindowedApp {
 public:
  explicit RecordingApp(int32_t answer) : answer_(answer) {}
  int32_t OnAppIdle(uint32_t idleMilliseconds) override {
    idleTimes.push_back(idleMilliseconds);
    return answer_;
  }
  std::vector<uint32_t> idleTimes;

 private:
  int32_t answer_;
};

struct IdleCall {
  long count;
  bool answer;
};

// Runs the calls in order; answers the index of the first call whose answer differs, or -1.
int FirstWrongAnswer(CVolMFCApp& app, const std::vector<IdleCall>& calls) {
  for (size_t i = 0; i < calls.size(); ++i) {
    if (app.OnIdle(calls[i].count) != calls[i].answer) return static_cast<int>(i);
  }
  return -1;
}

TEST(MfcAppIdle, TheProgramsApplicationObjectEndsTheIdlePeriodOnceThePlatformsWorkIsDone) {
  CVolMFCApp app(&StartNothing);
  CBridgeApp program;
  app.SetWindowedApp(&program);
  // 0 starts the period and the platform's work; the platform has work only for count 0, so the call
  // with 1 finishes it and still answers 1; from then on 1 answers 1 and 2 asks OnAppIdle (0).
  EXPECT_EQ(FirstWrongAnswer(app, {{0, true}, {1, true}, {1, true}, {2, false}}), -1);
  // A new period (count 0 after a message) runs the platform's work again before the application's.
  EXPECT_EQ(FirstWrongAnswer(app, {{0, true}, {2, true}, {2, false}}), -1);
  app.SetWindowedApp(nullptr);
}

TEST(MfcAppIdle, CountTwoAndAboveAnswerWhatTheApplicationObjectAnswers) {
  CVolMFCApp app(&StartNothing);
  RecordingApp wantsMore(7);
  app.SetWindowedApp(&wantsMore);
  EXPECT_EQ(FirstWrongAnswer(app, {{0, true}, {1, true}, {2, true}, {3, true}}), -1);
  ASSERT_EQ(wantsMore.idleTimes.size(), 2u);
  // Milliseconds since the period began: small, and never going back.
  EXPECT_LT(wantsMore.idleTimes[0], 5000u);
  EXPECT_GE(wantsMore.idleTimes[1], wantsMore.idleTimes[0]);

  RecordingApp done(0);
  app.SetWindowedApp(&done);
  EXPECT_EQ(FirstWrongAnswer(app, {{0, true}, {1, true}, {5, false}}), -1);
  EXPECT_EQ(done.idleTimes.size(), 1u);
  app.SetWindowedApp(nullptr);
}

TEST(MfcAppIdle, WithoutAnApplicationObjectThePlatformAnswersAlone) {
  CVolMFCApp app(&StartNothing);
  ASSERT_EQ(app.WindowedApp(), nullptr);
  EXPECT_EQ(FirstWrongAnswer(app, {{0, true}, {1, false}, {2, false}}), -1);
}

}  // namespace
