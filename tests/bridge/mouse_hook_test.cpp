// MouseHookProc and its installation with recording stand-ins for the user32 functions: every event
// is chained unchanged, and only a middle-button press is noted, by one message to the window that
// decides and sends.
#include "FakeUser32.h"
#include "bridge/MouseHook.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr UINT kPressMessage = WM_APP + 7;

MSLLHOOKSTRUCT MouseData(DWORD mouseData, DWORD flags = 0) {
  MSLLHOOKSTRUCT info{};
  info.pt = {400, 300};
  info.mouseData = mouseData;
  info.flags = flags;
  return info;
}

DWORD High(int value) { return static_cast<DWORD>(static_cast<WORD>(value)) << 16; }

class MouseHookTest : public testing::Test {
 protected:
  MouseHookTest() {
    window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    g_mouseHook = fakeHook_;
    user32_.chainResult = 0x5A5A;
  }
  ~MouseHookTest() override {
    ClearHookPressTarget();
    DestroyWindow(window_);
  }

  void Target() { SetHookPressTarget(HookPressTarget{window_, kPressMessage}); }

  // Press messages waiting for the window; they are taken out.
  int TakePostedPresses() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, window_, kPressMessage, kPressMessage, PM_REMOVE)) ++count;
    return count;
  }

  // Runs one event through the hook and checks that it was chained with its own arguments and that
  // the chained result came back.
  void ExpectChainedUnchanged(int nCode, WPARAM message, MSLLHOOKSTRUCT& info) {
    const LPARAM lParam = reinterpret_cast<LPARAM>(&info);
    const size_t before = user32_.chainedCalls.size();
    EXPECT_EQ(MouseHookProc(nCode, message, lParam), user32_.chainResult);
    ASSERT_EQ(user32_.chainedCalls.size(), before + 1);
    const ChainedCall& call = user32_.chainedCalls.back();
    EXPECT_EQ(call.hook, g_mouseHook);
    EXPECT_EQ(call.nCode, nCode);
    EXPECT_EQ(call.wParam, message);
    EXPECT_EQ(call.lParam, lParam);
  }

  FakeUser32 user32_;
  HWND window_ = nullptr;
  HHOOK fakeHook_ = reinterpret_cast<HHOOK>(static_cast<std::intptr_t>(0x4242));
};

TEST_F(MouseHookTest, NegativeCodeOrNoTargetOnlyChains) {
  Target();
  for (int nCode : {-1, -2, -1000}) {
    MSLLHOOKSTRUCT info = MouseData(0);
    ExpectChainedUnchanged(nCode, WM_MBUTTONDOWN, info);
  }
  ClearHookPressTarget();
  MSLLHOOKSTRUCT info = MouseData(0);
  ExpectChainedUnchanged(HC_ACTION, WM_MBUTTONDOWN, info);
  EXPECT_EQ(TakePostedPresses(), 0);
}

TEST_F(MouseHookTest, EveryEventIsChainedAndOnlyAMiddlePressIsNoted) {
  struct Case {
    WPARAM message;
    DWORD mouseData;
    DWORD flags;
    bool noted;
  };
  const Case cases[] = {
      {WM_MBUTTONDOWN, 0, 0, true},
      {WM_MBUTTONDOWN, 0, LLMHF_INJECTED, true},  // injected presses count as well
      {WM_MBUTTONDOWN | 0x10000, 0, 0, true},     // only the low 16 bits name the message
      {WM_MBUTTONUP, 0, 0, false},
      {WM_MBUTTONDBLCLK, 0, 0, false},
      {WM_MOUSEMOVE, 0, 0, false},
      {WM_LBUTTONDOWN, 0, 0, false},
      {WM_RBUTTONDOWN, 0, 0, false},
      {WM_MOUSEWHEEL, High(120), 0, false},
      {WM_XBUTTONDOWN, High(XBUTTON1), 0, false},
  };
  Target();
  int result = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message << " data 0x" << c.mouseData);
    user32_.chainResult = ++result;  // a different answer each time
    MSLLHOOKSTRUCT info = MouseData(c.mouseData, c.flags);
    const DWORD before = GetTickCount();
    ExpectChainedUnchanged(HC_ACTION, c.message, info);
    const DWORD after = GetTickCount();
    MSG posted{};
    const bool gotMessage = PeekMessageW(&posted, window_, kPressMessage, kPressMessage, PM_REMOVE) != FALSE;
    EXPECT_EQ(gotMessage, c.noted);
    if (gotMessage) {
      EXPECT_LE(static_cast<DWORD>(posted.lParam) - before, after - before) << "the press tick";
      EXPECT_EQ(posted.wParam, (c.flags & LLMHF_INJECTED) != 0 ? 1u : 0u) << "whether a program made the press";
    }
    EXPECT_EQ(TakePostedPresses(), 0) << "one message per press";
  }
}

TEST_F(MouseHookTest, InstallReplacesTheEarlierHookAndRemoveLetsItGo) {
  user32_.installResult = reinterpret_cast<HHOOK>(static_cast<std::intptr_t>(0x777));

  EXPECT_TRUE(InstallMouseHook());
  ASSERT_EQ(user32_.unhookCalls.size(), 1u);
  EXPECT_EQ(user32_.unhookCalls[0], fakeHook_) << "the hook installed before goes first";
  ASSERT_EQ(user32_.installCalls.size(), 1u);
  EXPECT_EQ(user32_.installCalls[0].kind, WH_MOUSE_LL);
  EXPECT_EQ(user32_.installCalls[0].procedure, &MouseHookProc);
  EXPECT_EQ(user32_.installCalls[0].module, nullptr);
  EXPECT_EQ(user32_.installCalls[0].threadId, 0u);
  EXPECT_EQ(g_mouseHook, user32_.installResult);

  MSLLHOOKSTRUCT info = MouseData(0);
  ExpectChainedUnchanged(HC_ACTION, WM_MOUSEMOVE, info);
  EXPECT_EQ(user32_.chainedCalls.back().hook, user32_.installResult);

  RemoveMouseHook();
  EXPECT_EQ(g_mouseHook, nullptr);
  ASSERT_EQ(user32_.unhookCalls.size(), 2u);
  EXPECT_EQ(user32_.unhookCalls[1], user32_.installResult);
  RemoveMouseHook();
  EXPECT_EQ(user32_.unhookCalls.size(), 2u) << "nothing to remove";

  user32_.installResult = nullptr;  // the system refuses
  EXPECT_FALSE(InstallMouseHook());
  EXPECT_EQ(g_mouseHook, nullptr);
}

}  // namespace
