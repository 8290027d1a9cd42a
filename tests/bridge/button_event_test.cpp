// Translation of a low-level mouse message and the signed high word of mouseData into the
// (button, action) pair.
#include "bridge/ButtonEvent.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const ButtonEvent& e) {
  return out << "(" << e.button << ", " << e.action << ")";
}

namespace {

struct Case {
  std::uint32_t message;
  std::int16_t high;
  std::optional<ButtonEvent> expected;
};

void ExpectTranslations(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    SCOPED_TRACE(testing::Message() << "message 0x" << std::hex << c->message << std::dec << ", high " << c->high);
    const ButtonEvent actual = TranslateMouseEvent(c->message, c->high);
    if (c->expected) {
      EXPECT_TRUE(actual.matched());
      EXPECT_EQ(actual, *c->expected);
    } else {
      EXPECT_FALSE(actual.matched()) << "got " << actual;
    }
  }
}

constexpr std::nullopt_t kNoPair = std::nullopt;

TEST(TranslateMouseEvent, ButtonMessages) {
  const Case cases[] = {
      {WM_LBUTTONDOWN, 0, ButtonEvent{1, 1}},   {WM_LBUTTONUP, 0, ButtonEvent{1, 2}},
      {WM_LBUTTONDBLCLK, 0, ButtonEvent{1, 3}}, {WM_RBUTTONDOWN, 0, ButtonEvent{2, 1}},
      {WM_RBUTTONUP, 0, ButtonEvent{2, 2}},     {WM_RBUTTONDBLCLK, 0, ButtonEvent{2, 3}},
      {WM_MBUTTONDOWN, 0, ButtonEvent{3, 1}},   {WM_MBUTTONUP, 0, ButtonEvent{3, 2}},
      {WM_MBUTTONDBLCLK, 0, ButtonEvent{3, 3}},
      // The second extra button is 5, the first 6.
      {WM_XBUTTONDOWN, XBUTTON2, ButtonEvent{5, 1}}, {WM_XBUTTONDOWN, XBUTTON1, ButtonEvent{6, 1}},
      {WM_XBUTTONUP, XBUTTON2, ButtonEvent{5, 2}},   {WM_XBUTTONUP, XBUTTON1, ButtonEvent{6, 2}},
      // Only the low 16 bits of the message count.
      {0x00010000u | WM_MBUTTONDOWN, 0, ButtonEvent{3, 1}},
      {0xFFFF0000u | WM_LBUTTONUP, 0, ButtonEvent{1, 2}},
      // A button message wins over a wheel delta in the same event.
      {WM_LBUTTONDOWN, 120, ButtonEvent{1, 1}},      {WM_MBUTTONUP, -120, ButtonEvent{3, 2}},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateMouseEvent, WheelStepsOfExactlyOneNotch) {
  const Case cases[] = {
      {WM_MOUSEWHEEL, 120, ButtonEvent{4, 4}},  {WM_MOUSEWHEEL, -120, ButtonEvent{4, 5}},
      {WM_MOUSEHWHEEL, 120, ButtonEvent{4, 4}}, {WM_MOUSEHWHEEL, -120, ButtonEvent{4, 5}},
      // The wheel rule ignores the message.
      {WM_MOUSEMOVE, 120, ButtonEvent{4, 4}},
      {WM_XBUTTONDOWN, -120, ButtonEvent{4, 5}},
      {WM_MOUSEWHEEL, 240, kNoPair},  {WM_MOUSEWHEEL, 60, kNoPair},  {WM_MOUSEWHEEL, -240, kNoPair},
      {WM_MOUSEWHEEL, 119, kNoPair},  {WM_MOUSEWHEEL, 121, kNoPair}, {WM_MOUSEHWHEEL, -60, kNoPair},
      {WM_MOUSEWHEEL, 0, kNoPair},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateMouseEvent, UnmatchedEventsGiveNoPair) {
  const Case cases[] = {
      {WM_MOUSEMOVE, 0, kNoPair},
      {WM_MOUSEMOVE, 3, kNoPair},
      {WM_XBUTTONDOWN, 0, kNoPair},
      {WM_XBUTTONDOWN, 3, kNoPair},
      {WM_XBUTTONUP, -1, kNoPair},
      {WM_XBUTTONDBLCLK, XBUTTON1, kNoPair},  // not in the rules
      {0x0001u << 16, 0, kNoPair},  // the low word is 0
      {0, 0, kNoPair},
  };
  ExpectTranslations(std::begin(cases), std::end(cases));
}

TEST(TranslateMouseEvent, NoEventWithoutAMiddlePressGivesThreeOne) {
  // Whatever the message and delta, (3, 1) comes only from WM_MBUTTONDOWN: it would inject a key.
  for (std::uint32_t message = 0x0200; message <= 0x020E; ++message) {
    if (message == WM_MBUTTONDOWN) continue;
    for (int high = -32768; high <= 32767; ++high) {
      const ButtonEvent event = TranslateMouseEvent(message, static_cast<std::int16_t>(high));
      ASSERT_FALSE(event == (ButtonEvent{3, 1})) << "message 0x" << std::hex << message;
    }
  }
}

}  // namespace
