// The key stroke of one press: which events it holds, in which order, and the one SendInput call
// with the key-ups sent again when the system took fewer events than given.
#include "FakeUser32.h"
#include "bridge/KeyStroke.h"
#include "bridge/KeystrokeInjection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Event {
  WORD virtualKey;
  bool up;
  bool operator==(const Event& other) const { return virtualKey == other.virtualKey && up == other.up; }
};

std::ostream& operator<<(std::ostream& out, const Event& e) {
  return out << (e.up ? "up " : "down ") << e.virtualKey;
}

std::vector<Event> EventsOf(const INPUT* events, UINT count) {
  std::vector<Event> out;
  for (UINT i = 0; i < count; ++i) {
    EXPECT_EQ(events[i].type, static_cast<DWORD>(INPUT_KEYBOARD));
    out.push_back({events[i].ki.wVk, (events[i].ki.dwFlags & KEYEVENTF_KEYUP) != 0});
  }
  return out;
}

std::vector<Event> Plain(WORD key) { return {{key, false}, {key, true}}; }
std::vector<Event> WithCtrl(WORD key) { return {{VK_CONTROL, false}, {key, false}, {VK_CONTROL, true}, {key, true}}; }

TEST(BuildKeyStroke, HoldsTheKeyAloneOrWrappedInCtrlAndNothingForCodesThatNameNoKey) {
  struct Case {
    std::int32_t code;
    bool ctrl;
    std::vector<Event> expected;
  };
  const Case cases[] = {
      {VK_SPACE, false, Plain(VK_SPACE)},
      {'A', true, WithCtrl('A')},  // Ctrl goes up before the key
      {1, false, Plain(1)},
      {254, true, WithCtrl(254)},
      {0, true, {}},
      {-1, false, {}},
      {255, false, {}},
      {300, true, {}},  // its low byte would press Print Screen
      {INT32_MAX, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << (c.ctrl ? " with Ctrl" : ""));
    const KeyStroke stroke = BuildKeyStroke(c.code, c.ctrl);
    EXPECT_EQ(EventsOf(stroke.events, stroke.count), c.expected);
    if (stroke.count == 0) continue;
    // The key-ups are the tail of the stroke.
    for (UINT i = 0; i < stroke.count; ++i) {
      EXPECT_EQ((stroke.events[i].ki.dwFlags & KEYEVENTF_KEYUP) != 0, i >= stroke.releaseStart) << "event " << i;
      EXPECT_EQ(stroke.events[i].ki.time, 0u);
      EXPECT_EQ(stroke.events[i].ki.dwExtraInfo, 0u);
      EXPECT_EQ(stroke.events[i].ki.dwFlags & (KEYEVENTF_UNICODE | KEYEVENTF_SCANCODE), 0u);
    }
  }
}

TEST(ScanCodeOf, MarksTheKeysThatCarryThePrefix) {
  struct Case {
    BYTE key;
    bool extended;
  };
  const Case cases[] = {{VK_NEXT, true},   {VK_LEFT, true},  {VK_DELETE, true},   {VK_INSERT, true},
                        {VK_HOME, true},   {VK_DIVIDE, true}, {VK_NUMLOCK, true}, {VK_LWIN, true},
                        {VK_SPACE, false}, {'A', false},      {VK_F5, false},     {VK_NUMPAD4, false},
                        {VK_DECIMAL, false}, {VK_CONTROL, false}, {VK_RETURN, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(ScanCodeOf(c.key).extended, c.extended) << "virtual key " << int(c.key);
  }
  const KeyStroke stroke = BuildKeyStroke(VK_DELETE, true);
  EXPECT_EQ(stroke.events[0].ki.dwFlags & KEYEVENTF_EXTENDEDKEY, 0u) << "Ctrl";
  EXPECT_NE(stroke.events[1].ki.dwFlags & KEYEVENTF_EXTENDEDKEY, 0u) << "Delete down";
  EXPECT_NE(stroke.events[3].ki.dwFlags & KEYEVENTF_EXTENDEDKEY, 0u) << "Delete up";
}

TEST(SendKeyStroke, OneCallForTheWholeStrokeAndTheKeyUpsAgainWhenFewerWentIn) {
  struct Case {
    bool ctrl;
    int insertLimit;  // -1: the system takes every event
    std::vector<std::vector<Event>> calls;
  };
  const Case cases[] = {
      {false, -1, {Plain('A')}},
      {true, -1, {WithCtrl('A')}},
      {true, 0, {WithCtrl('A'), {{VK_CONTROL, true}, {'A', true}}}},
      {true, 1, {WithCtrl('A'), {{VK_CONTROL, true}, {'A', true}}}},  // Ctrl went down and stays down
      {true, 3, {WithCtrl('A'), {{VK_CONTROL, true}, {'A', true}}}},
      {false, 1, {Plain('A'), {{'A', true}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.ctrl ? "with Ctrl" : "alone") << ", limit " << c.insertLimit);
    FakeUser32 user32;
    user32.insertLimit = c.insertLimit;
    SystemKeyInjector injector;
    const InjectionResult result = SendKeyStroke(BuildKeyStroke('A', c.ctrl), injector);
    ASSERT_EQ(user32.sendInputCalls.size(), c.calls.size());
    for (size_t i = 0; i < c.calls.size(); ++i) {
      EXPECT_EQ(EventsOf(user32.sendInputCalls[i].data(), static_cast<UINT>(user32.sendInputCalls[i].size())),
                c.calls[i])
          << "call " << i;
    }
    EXPECT_EQ(result.releasedAgain, c.calls.size() == 2);
  }
}

TEST(SendKeyStroke, NothingToSendMakesNoCall) {
  FakeUser32 user32;
  SystemKeyInjector injector;
  const InjectionResult result = SendKeyStroke(BuildKeyStroke(0, true), injector);
  EXPECT_TRUE(user32.sendInputCalls.empty());
  EXPECT_FALSE(result.releasedAgain);
}

}  // namespace
