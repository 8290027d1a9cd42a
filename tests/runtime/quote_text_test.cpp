// Quoting texts for the listings: the short escapes, octal escapes for other control characters, and
// everything else copied.
#include "TestText.h"
#include "runtime/QuoteText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(QuoteText, Cases) {
  struct Case {
    const wchar_t* text;
    std::wstring quoted;
  };
  const Case cases[] = {
      {nullptr, L"\"\""},
      {L"", L"\"\""},
      {L"a\t\"", L"\"a\\t\\\"\""},
      {L"\b\t\n\f\r", L"\"\\b\\t\\n\\f\\r\""},
      {L"it's \\ here", L"\"it\\'s \\\\ here\""},
      {L"\x01", L"\"\\001\""},
      {L"\x1B[0m", L"\"\\033[0m\""},
      {L"\x07\x0B\x1F", L"\"\\007\\013\\037\""},
      {L" ~\x7F", L"\" ~\x7F\""},
      {L"\u4E2D\u6587", L"\"\u4E2D\u6587\""},
      // The text ends at its first NUL.
      {L"a\0b", L"\"a\""},
  };
  for (const Case& c : cases) {
    const CWString quoted = QuoteText(c.text);
    EXPECT_EQ(std::wstring(quoted.GetText()), c.quoted) << Printable(c.quoted);
  }
}

}  // namespace
