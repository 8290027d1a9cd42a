// Stored numbers follow wcstol's base-10 rules exactly; the key injection and the Ctrl choice both
// depend on them.
#include "settings/StoredNumber.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(ParseStoredNumber, FollowsWcstolRules) {
  struct Case {
    const wchar_t* text;
    std::int32_t expected;
  };
  const Case cases[] = {
      {L"65", 65},
      {L"32", 32},
      {L"", 0},                 // no digits
      {L"abc", 0},
      {L" ", 0},
      {L" 13abc", 13},          // white space skipped, digits up to the first other character
      {L"\t\r\n\v\f 7", 7},
      {L"12 34", 12},
      {L"01", 1},
      {L" 1", 1},
      {L"+5", 5},
      {L"-1", -1},
      {L"-0", 0},
      {L"+-5", 0},              // one sign only
      {L"- 5", 0},              // no space after the sign
      {L"0x41", 0},             // base 10: the x ends the number
      {L"1e3", 1},
      {L"300", 300},
      {L"2147483647", kMax},
      {L"2147483648", kMax},    // clamped, not wrapped
      {L"99999999999", kMax},
      {L"-2147483648", kMin},
      {L"-2147483649", kMin},
      {L"-99999999999", kMin},
      {L"000000000000000000065", 65},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "text #" << (&c - cases));
    EXPECT_EQ(ParseStoredNumber(c.text), c.expected);
  }
}

TEST(ParseStoredNumber, StopsAtAnEmbeddedNul) {
  EXPECT_EQ(ParseStoredNumber(std::wstring(L"4\0" L"5", 3)), 4);
}

}  // namespace
