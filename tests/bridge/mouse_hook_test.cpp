// MouseHookProc and InstallMouseHook with recording stand-ins for the user32 functions.
#include "FakeUser32.h"
#include "bridge/KeystrokeInjection.h"
#include "bridge/MouseHook.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct HandlerCall {
  int button;
  int action;
  std::intptr_t reserved;
  size_t chainedBefore;  // CallNextHookEx calls made before the handler ran
};

FakeUser32* g_user32 = nullptr;
std::vector<HandlerCall> g_handlerCalls;

void RecordingHandler(int button, int action, std::intptr_t reserved) {
  g_handlerCalls.push_back({button, action, reserved, g_user32->chainedCalls.size()});
}

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
    g_user32 = &user32_;
    g_handlerCalls.clear();
    g_mouseHook = fakeHook_;
    g_buttonHandler = reinterpret_cast<std::intptr_t>(&RecordingHandler);
    user32_.chainResult = 0x5A5A;
  }
  ~MouseHookTest() override { g_user32 = nullptr; }

  // Runs one event through the hook and checks that it was chained with its own arguments and
  // that the chained result came back.
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
  HHOOK fakeHook_ = reinterpret_cast<HHOOK>(static_cast<std::intptr_t>(0x4242));
};

TEST_F(MouseHookTest, NegativeCodeOnlyChains) {
  for (int nCode : {-1, -2, -1000}) {
    MSLLHOOKSTRUCT info = MouseData(0);
    ExpectChainedUnchanged(nCode, WM_MBUTTONDOWN, info);
  }
  EXPECT_TRUE(g_handlerCalls.empty());
}

TEST_F(MouseHookTest, WithoutAPositiveHandlerOnlyChains) {
  // The slot is tested as a signed number: zero and negative values are "no handler".
  for (std::int64_t handler : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{INT64_MIN}}) {
    g_buttonHandler = handler;
    MSLLHOOKSTRUCT info = MouseData(0);
    ExpectChainedUnchanged(HC_ACTION, WM_MBUTTONDOWN, info);
  }
  EXPECT_TRUE(g_handlerCalls.empty());
}

TEST_F(MouseHookTest, EveryEventIsChainedAndMatchedOnesReachTheHandlerFirst) {
  struct Case {
    WPARAM message;
    DWORD mouseData;
    DWORD flags;
    std::optional<std::pair<int, int>> expected;
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, 0, 0, std::nullopt},
      {WM_MBUTTONDOWN, 0, 0, std::make_pair(3, 1)},
      {WM_MBUTTONDOWN, 0, LLMHF_INJECTED, std::make_pair(3, 1)},  // injected events count as well
      {WM_MBUTTONUP, 0, 0, std::make_pair(3, 2)},
      {WM_LBUTTONDOWN, 0, 0, std::make_pair(1, 1)},
      {WM_RBUTTONDBLCLK, 0, 0, std::make_pair(2, 3)},
      {WM_MOUSEWHEEL, High(120), 0, std::make_pair(4, 4)},
      {WM_MOUSEWHEEL, High(120) | 0xFFFF, 0, std::make_pair(4, 4)},  // the low word is not looked at
      {WM_MOUSEHWHEEL, High(-120), 0, std::make_pair(4, 5)},
      {WM_MOUSEWHEEL, High(240), 0, std::nullopt},
      {WM_MOUSEWHEEL, High(-60), 0, std::nullopt},
      {WM_XBUTTONDOWN, High(XBUTTON1), 0, std::make_pair(6, 1)},
      {WM_XBUTTONUP, High(XBUTTON2), 0, std::make_pair(5, 2)},
      {WM_XBUTTONDOWN, High(3), 0, std::nullopt},
  };
  int result = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c.message << " data 0x" << c.mouseData);
    g_handlerCalls.clear();
    user32_.chainResult = ++result;  // a different answer each time
    MSLLHOOKSTRUCT info = MouseData(c.mouseData, c.flags);
    ExpectChainedUnchanged(HC_ACTION, c.message, info);
    if (!c.expected) {
      EXPECT_TRUE(g_handlerCalls.empty());
      continue;
    }
    ASSERT_EQ(g_handlerCalls.size(), 1u);
    EXPECT_EQ(g_handlerCalls[0].button, c.expected->first);
    EXPECT_EQ(g_handlerCalls[0].action, c.expected->second);
    EXPECT_EQ(g_handlerCalls[0].reserved, 0);
    // The handler's key injection happens before the mouse event travels on.
    EXPECT_EQ(g_handlerCalls[0].chainedBefore, user32_.chainedCalls.size() - 1);
  }
}

TEST_F(MouseHookTest, InstallHooksTheWholeDesktopThenRegistersTheKeyHandler) {
  g_mouseHook = nullptr;
  g_buttonHandler = 0;
  user32_.installResult = reinterpret_cast<HHOOK>(static_cast<std::intptr_t>(0x777));

  InstallMouseHook();

  ASSERT_EQ(user32_.installCalls.size(), 1u);
  EXPECT_EQ(user32_.installCalls[0].kind, WH_MOUSE_LL);
  EXPECT_EQ(user32_.installCalls[0].procedure, &MouseHookProc);
  EXPECT_EQ(user32_.installCalls[0].module, nullptr);
  EXPECT_EQ(user32_.installCalls[0].threadId, 0u);
  EXPECT_EQ(g_mouseHook, user32_.installResult);
  EXPECT_EQ(g_buttonHandler, reinterpret_cast<std::intptr_t>(&OnMouseButton));

  MSLLHOOKSTRUCT info = MouseData(0);
  ExpectChainedUnchanged(HC_ACTION, WM_MOUSEMOVE, info);
  EXPECT_EQ(user32_.chainedCalls.back().hook, user32_.installResult);
}

}  // namespace
