// The input core in this process, driven by real middle clicks (xdotool) over a window of the test's
// own that has the foreground: what the window receives (the click, the key messages with their scan
// codes, raw keyboard input) and what the core counted. Keys sent by the core go to the foreground
// window, here the target.
#include "bridge/InputCore.h"
#include "bridge/KeyStroke.h"
#include "bridge/MouseHook.h"
#include "runtime/VolException.h"
#include "settings/DynamicImports.h"
#include "CountingSettingsReader.h"
#include "support/InProcessTarget.h"
#include "support/RealInput.h"
#include "support/StoredSettings.h"
#include "support/WindowTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// SendInput that takes only the first limit events of its first call, as the system does when a
// window of higher integrity has the focus, and every event after that.
class ShortInjector final : public KeyInjector {
 public:
  explicit ShortInjector(UINT limit) : limit_(limit) {}
  UINT Inject(const INPUT* events, UINT count) override {
    const UINT taken = calls_++ == 0 ? std::min(limit_, count) : count;
    if (taken == 0) return 0;
    return SendInput(taken, const_cast<INPUT*>(events), sizeof(INPUT));
  }

 private:
  UINT limit_;
  int calls_ = 0;
};

using Lines_ = KeyLines;

TargetReceived& g_received = InProcessTarget::Received();

class InputCoreTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    try {
      LoadDynamicImports();
    } catch (const CVolException&) {
      FAIL() << "the function table cannot be filled";
    }
  }

  void SetUp() override {
    ASSERT_TRUE(XdotoolAvailable());
    ASSERT_TRUE(target_.Create());
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::wstring(L"65")));
    savedCtrl_ = g_ctrlCombo;
    g_ctrlCombo = 0;
  }

  void TearDown() override {
    core_.Stop();
    g_ctrlCombo = savedCtrl_;
    target_.Destroy();
  }

  void StartCore() {
    core_.SetSettingsReader(&reader_);
    ASSERT_TRUE(core_.Start());
    ASSERT_NE(g_mouseHook, nullptr) << "no hook";
  }

  // Real middle clicks over the target; then waits longer than a press the hook missed waits before it
  // is sent.
  void Click(int count = 1) { ASSERT_TRUE(target_.Click(count, PressLedger::kRawWaitMs + 300)); }
  void Settle() { InProcessTarget::Settle(PressLedger::kRawWaitMs + 300); }
  Lines_ TakeKeys() { return InProcessTarget::TakeKeys(); }

  StoredSettingsBackup backup_;
  CountingSettingsReader reader_;
  InputCore core_;
  InProcessTarget target_;
  std::int32_t savedCtrl_ = 0;
};

TEST_F(InputCoreTest, WithTheHookAliveAClickSendsTheKeyExactlyOnceAndTheClickGoesOn) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  for (std::int32_t ctrl : {0, 1}) {
    SCOPED_TRACE(ctrl == 1 ? "with Ctrl" : "alone");
    g_ctrlCombo = ctrl;
    const InputCoreCounters before = core_.Counters();
    const int downsBefore = g_received.middleDowns;
    ASSERT_NO_FATAL_FAILURE(Click());
    EXPECT_EQ(g_received.middleDowns, downsBefore + 1) << "the click reaches the target";
    EXPECT_EQ(TakeKeys(), ctrl == 1 ? CtrlStroke('A') : Stroke('A'));
    EXPECT_EQ(core_.Counters().hookPresses, before.hookPresses + 1);
    EXPECT_EQ(core_.Counters().rawPresses, before.rawPresses + 1) << "raw input watches every press";
    EXPECT_EQ(core_.Counters().sentFromHook, before.sentFromHook + 1);
    EXPECT_EQ(core_.Counters().sentFromRaw, before.sentFromRaw) << "no second send from raw input";
    EXPECT_EQ(core_.Counters().hookRepairs, 0);
  }
}

TEST_F(InputCoreTest, AHookDroppedBehindItsBackLosesNoPressAndIsInstalledAgain) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  core_.DropHookBehindItsBack();

  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(TakeKeys(), Stroke('A')) << "the press without a hook still sends its key, once";
  EXPECT_EQ(core_.Counters().hookPresses, 0);
  EXPECT_EQ(core_.Counters().sentFromRaw, 1);
  EXPECT_EQ(core_.Counters().hookRepairs, 1);

  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(TakeKeys(), Stroke('A'));
  EXPECT_EQ(core_.Counters().hookPresses, 1) << "the next click goes through the hook again";
  EXPECT_EQ(core_.Counters().sentFromHook, 1);
  EXPECT_EQ(core_.Counters().sentFromRaw, 1);
  EXPECT_EQ(core_.Counters().hookRepairs, 1);
}

TEST_F(InputCoreTest, ResumeAndUnlockInstallTheHookAgain) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool reinstalls;
  };
  const Case cases[] = {
      {"resume", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, true},
      {"unlock", WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, true},
      {"suspend", WM_POWERBROADCAST, PBT_APMSUSPEND, false},
      {"lock", WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, false},
  };
  ASSERT_NO_FATAL_FAILURE(StartCore());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    core_.DropHookBehindItsBack();
    const InputCoreCounters before = core_.Counters();
    ASSERT_TRUE(PostMessageW(core_.Window(), c.message, c.wParam, 0));
    PumpMessages();
    EXPECT_EQ(core_.Counters().hookReinstalls, before.hookReinstalls + (c.reinstalls ? 1 : 0));

    ASSERT_NO_FATAL_FAILURE(Click());
    EXPECT_EQ(TakeKeys(), Stroke('A'));
    // Installed again: the click goes through the hook; otherwise raw input repairs it.
    EXPECT_EQ(core_.Counters().hookPresses, before.hookPresses + (c.reinstalls ? 1 : 0));
    EXPECT_EQ(core_.Counters().hookRepairs, before.hookRepairs + (c.reinstalls ? 0 : 1));
  }
}

TEST_F(InputCoreTest, KeysArriveWithTheirScanCodes) {
  struct Case {
    const char* name;
    BYTE key;
    UINT scanCode;
    bool extended;
  };
  const Case cases[] = {
      {"Space", VK_SPACE, 0x39, false},    {"Enter", VK_RETURN, 0x1C, false}, {"A", 'A', 0x1E, false},
      {"F5", VK_F5, 0x3F, false},          {"Page Down", VK_NEXT, 0x51, true}, {"Left", VK_LEFT, 0x4B, true},
      {"Delete", VK_DELETE, 0x53, true},
  };
  SystemKeyInjector injector;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_received = TargetReceived{};
    SendKeyStroke(BuildKeyStroke(c.key, true), injector);
    ASSERT_TRUE(PumpUntil([] { return g_received.keys.size() >= 4 && g_received.rawKeys.size() >= 4; }))
        << g_received.keys.size() << " key messages, " << g_received.rawKeys.size() << " raw";
    Settle();
    ASSERT_EQ(LinesOf(g_received.keys), CtrlStroke(c.key));
    ASSERT_EQ(g_received.rawKeys.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
      const bool isCtrl = i % 2 == 0;
      const UINT scan = isCtrl ? 0x1D : c.scanCode;
      const bool extended = isCtrl ? false : c.extended;
      EXPECT_EQ(g_received.keys[i].scanCode, scan) << "message " << i;
      EXPECT_EQ(g_received.keys[i].extended, extended) << "message " << i;
      EXPECT_EQ(g_received.rawKeys[i].makeCode, scan) << "raw " << i;
      EXPECT_EQ(g_received.rawKeys[i].e0, extended) << "raw " << i;
    }
  }
}

TEST_F(InputCoreTest, AStoredKeyChangedBetweenPressesCountsFromTheNextPressAndAPressReadsNothing) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  const int readsAtStart = reader_.reads;
  EXPECT_EQ(readsAtStart, 1);
  ASSERT_NO_FATAL_FAILURE(Click(3));
  EXPECT_EQ(TakeKeys(), (Lines_{"down 65", "up 65", "down 65", "up 65", "down 65", "up 65"}));
  EXPECT_EQ(reader_.reads, readsAtStart) << "presses read no registry";

  // As regedit or another process would: reg.exe writes the value.
  const std::wstring command = L"reg.exe add HKCU\\Software\\lanfhe /v xrcode /t REG_SZ /d 116 /f";
  std::wstring mutableCommand = command;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, &mutableCommand[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                             &startup, &process));
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_EQ(ReadStoredText(kProgramSettingsKey, L"xrcode"), std::wstring(L"116"));

  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(TakeKeys(), Stroke(VK_F5)) << "the next press sends the new key";
  EXPECT_EQ(reader_.reads, readsAtStart + 1);
  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(TakeKeys(), Stroke(VK_F5));
  EXPECT_EQ(reader_.reads, readsAtStart + 1);
}

TEST_F(InputCoreTest, WhenFewerEventsWentInTheKeysAreReleasedAgain) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  g_ctrlCombo = 1;
  for (UINT limit : {1u, 2u, 3u}) {
    SCOPED_TRACE(testing::Message() << "the system took " << limit << " of 4");
    ShortInjector injector(limit);
    core_.SetInjector(&injector);
    const long releasedBefore = core_.Counters().releasedAgain;
    ASSERT_NO_FATAL_FAILURE(Click());
    core_.SetInjector(nullptr);
    EXPECT_EQ(core_.Counters().releasedAgain, releasedBefore + 1);
    const Lines_ keys = TakeKeys();
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front(), "down 17");
    EXPECT_EQ(keys.back(), "up 65") << "the key is released last";
    EXPECT_NE(std::find(keys.begin(), keys.end(), "up 17"), keys.end()) << "Ctrl is released";
    EXPECT_EQ(GetAsyncKeyState(VK_CONTROL) & 0x8000, 0) << "Ctrl is not left down";
    EXPECT_EQ(GetAsyncKeyState('A') & 0x8000, 0) << "the key is not left down";
  }
}

TEST_F(InputCoreTest, ABurstOfClicksGivesOneStrokeEach) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  constexpr int kClicks = 200;
  ASSERT_NO_FATAL_FAILURE(Click(kClicks));
  const Lines_ keys = TakeKeys();
  Lines_ expected;
  for (int i = 0; i < kClicks; ++i) {
    expected.push_back("down 65");
    expected.push_back("up 65");
  }
  EXPECT_EQ(keys.size(), expected.size());
  EXPECT_TRUE(keys == expected) << "every click one stroke, none twice, none lost";
  EXPECT_EQ(g_received.middleDowns, kClicks);
  const InputCoreCounters& counters = core_.Counters();
  EXPECT_EQ(counters.sentFromHook + counters.sentFromRaw, kClicks)
      << "hook presses " << counters.hookPresses << ", raw presses " << counters.rawPresses << ", sent from the hook "
      << counters.sentFromHook << ", from raw input " << counters.sentFromRaw << ", repairs " << counters.hookRepairs;
  EXPECT_EQ(core_.Counters().rawPresses, kClicks);
}

}  // namespace

namespace {

constexpr wchar_t kWineMouse[] = L"VID_845E&PID_0001";  // the only mouse there is under Wine
constexpr wchar_t kOtherMouse[] = L"VID_1234&PID_5678";

class RecordingListener final : public InputCoreListener {
 public:
  void OnDeviceLearned(const DeviceIdentity& device) override { learned.push_back(device); }
  void OnLearningTimedOut() override { ++timeouts; }
  void OnDevicesChanged() override { ++changes; }
  std::vector<DeviceIdentity> learned;
  int timeouts = 0;
  int changes = 0;
};

// A middle click made by a program, as raw input reports it: without a device.
void InjectMiddleClick() {
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_MIDDLEDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_MIDDLEUP;
  SendInput(2, clicks, sizeof(INPUT));
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST_F(InputCoreTest, ARealPressIsLearnedWithItsHardwareIdAndName) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  RecordingListener listener;
  core_.StartLearning(&listener);
  ASSERT_TRUE(core_.Learning());
  ASSERT_NO_FATAL_FAILURE(Click());
  ASSERT_EQ(listener.learned.size(), 1u);
  EXPECT_EQ(Narrow(listener.learned[0].hardwareId), Narrow(kWineMouse));
  EXPECT_EQ(Narrow(listener.learned[0].displayName), "Wine HID mouse") << "the product name the device gives";
  EXPECT_FALSE(core_.Learning());
  EXPECT_EQ(TakeKeys(), Stroke('A')) << "while nothing is chosen, the learning press sends as every press";

  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(listener.learned.size(), 1u) << "one press is learned, not the next";
  EXPECT_EQ(listener.timeouts, 0);
}

TEST_F(InputCoreTest, AnInjectedPressIsNeverLearnedAndALearningWithoutAPressRunsOut) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  RecordingListener listener;
  core_.StartLearning(&listener, 1500);
  InjectMiddleClick();
  ASSERT_TRUE(PumpUntil([&] { return listener.timeouts > 0; }, 5000)) << "the learning never ran out";
  EXPECT_TRUE(listener.learned.empty());
  EXPECT_FALSE(core_.Learning());
  Settle();
  EXPECT_EQ(core_.Counters().rawPresses, 1) << "raw input saw the injected press";
}

TEST_F(InputCoreTest, WithADeviceChosenOnlyItsPressesSend) {
  ASSERT_NO_FATAL_FAILURE(StartCore());
  EXPECT_TRUE(core_.IsDevicePresent(kWineMouse));
  EXPECT_FALSE(core_.IsDevicePresent(kOtherMouse));
  EXPECT_EQ(Narrow(core_.PresentDevice(kWineMouse).displayName), "Wine HID mouse");

  // Another mouse chosen: this one's press sends nothing, and its click still goes on.
  core_.ChooseDevice(kOtherMouse);
  int downs = g_received.middleDowns;
  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(g_received.middleDowns, downs + 1);
  EXPECT_TRUE(TakeKeys().empty());

  // This mouse chosen: its press sends once, from raw input.
  core_.ChooseDevice(kWineMouse);
  const InputCoreCounters before = core_.Counters();
  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(TakeKeys(), Stroke('A'));
  EXPECT_EQ(core_.Counters().sentFromRaw, before.sentFromRaw + 1);
  EXPECT_EQ(core_.Counters().sentFromHook, before.sentFromHook) << "the hook only keeps watch";

  // A press made by a program has no device: nothing, though the hook saw it.
  downs = g_received.middleDowns;
  InjectMiddleClick();
  ASSERT_TRUE(PumpUntil([&] { return g_received.middleDowns > downs; }));
  Settle();
  EXPECT_TRUE(TakeKeys().empty());

  // Every device again.
  core_.ChooseDevice(L"");
  ASSERT_NO_FATAL_FAILURE(Click());
  EXPECT_EQ(TakeKeys(), Stroke('A'));
}

}  // namespace
