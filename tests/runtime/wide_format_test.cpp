// The wide printf behind CWString::Format: the directive meanings of the legacy wide mode ("%s" is
// wide text, "%I64X"), exponents of at least two digits, flags, widths and precisions, the spelling of
// infinities and NaNs, measuring and truncation, and invalid formats.
#include "runtime/WideFormat.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// Formats, and checks that measuring gives the length of what was printed.
std::wstring F(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int measured = FormatWideV(nullptr, 0, format, args);
  va_end(args);
  std::wstring out;
  if (measured >= 0) {
    std::vector<wchar_t> buffer(static_cast<size_t>(measured) + 1, L'#');
    const int printed = FormatWideV(buffer.data(), buffer.size(), format, again);
    EXPECT_EQ(printed, measured) << Printable(format);
    out.assign(buffer.data(), static_cast<size_t>(printed));
    EXPECT_EQ(buffer[static_cast<size_t>(printed)], L'\0');
  } else {
    out = L"<error>";
  }
  va_end(again);
  return out;
}

double FromBits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

struct Case {
  const wchar_t* format;
  std::wstring got;
  std::wstring expected;
};

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << Printable(c.format) << " gave " << Printable(c.got);
}

TEST(WideFormat, TheLegacyWideDirectives) {
  Check({
      {L"%s|%.15G|%I64X", F(L"%s|%.15G|%I64X", L"wide", 1e20, 255ull), L"wide|1E+20|FF"},
      {L"%s", F(L"%s", L"\u4E2D\u6587"), L"\u4E2D\u6587"},
      {L"%ls %ws", F(L"%ls %ws", L"l", L"w"), L"l w"},
      {L"%hs", F(L"%hs", "narrow"), L"narrow"},
      {L"%S", F(L"%S", "narrow"), L"narrow"},
      {L"%lS", F(L"%lS", L"wide"), L"wide"},
      {L"%c", F(L"%c", L'\u4E2D'), L"\u4E2D"},
      {L"%hc%C%lc", F(L"%hc%C%lc", 'a', 'b', L'\u00E9'), L"ab\u00E9"},
      {L"%I64X", F(L"%I64X", 0xFEDCBA9876543210ull), L"FEDCBA9876543210"},
      {L"%I64d", F(L"%I64d", INT64_MIN), L"-9223372036854775808"},
      {L"%I32d", F(L"%I32d", -1), L"-1"},
      {L"%Iu", F(L"%Iu", SIZE_MAX), L"18446744073709551615"},
      {L"%p", F(L"%p", reinterpret_cast<void*>(0x1234ABCD)), L"000000001234ABCD"},
  });
}

TEST(WideFormat, Integers) {
  Check({
      {L"%d", F(L"%d", 42), L"42"},
      {L"%i", F(L"%i", -7), L"-7"},
      {L"%d", F(L"%d", INT_MIN), L"-2147483648"},
      {L"%5d", F(L"%5d", 42), L"   42"},
      {L"%-5d|", F(L"%-5d|", 42), L"42   |"},
      {L"%05d", F(L"%05d", -42), L"-0042"},
      {L"%+d", F(L"%+d", 5), L"+5"},
      {L"% d", F(L"% d", 5), L" 5"},
      {L"%+u", F(L"%+u", 5u), L"5"},
      {L"%.3d", F(L"%.3d", 7), L"007"},
      {L"%8.3d", F(L"%8.3d", -7), L"    -007"},
      {L"%08.3d", F(L"%08.3d", 7), L"     007"},
      {L"%.0d|", F(L"%.0d|", 0), L"|"},
      {L"%u", F(L"%u", 4294967295u), L"4294967295"},
      {L"%x %X", F(L"%x %X", 255, 255), L"ff FF"},
      {L"%#x %#X %#x", F(L"%#x %#X %#x", 255, 255, 0), L"0xff 0XFF 0"},
      {L"%#08x", F(L"%#08x", 255), L"0x0000ff"},
      {L"%o %#o %#o", F(L"%o %#o %#o", 8, 8, 0), L"10 010 0"},
      {L"%hd", F(L"%hd", 65535), L"-1"},
      {L"%hhu", F(L"%hhu", 257), L"1"},
      {L"%ld %lu", F(L"%ld %lu", -5L, 4000000000UL), L"-5 4000000000"},
      {L"%lld %llx", F(L"%lld %llx", -9000000000LL, 0xABCDEF012ULL), L"-9000000000 abcdef012"},
      {L"%zu %jd %td", F(L"%zu %jd %td", size_t{3}, intmax_t{-4}, ptrdiff_t{5}), L"3 -4 5"},
      {L"%*d", F(L"%*d", 5, 42), L"   42"},
      {L"%*d|", F(L"%*d|", -5, 42), L"42   |"},
      {L"%.*d", F(L"%.*d", 3, 5), L"005"},
      {L"%.*d", F(L"%.*d", -1, 5), L"5"},
  });
}

TEST(WideFormat, TextAndCharacters) {
  Check({
      {L"%.2s", F(L"%.2s", L"abcd"), L"ab"},
      {L"%6s", F(L"%6s", L"ab"), L"    ab"},
      {L"%-6s|", F(L"%-6s|", L"ab"), L"ab    |"},
      {L"%.3hs", F(L"%.3hs", "abcdef"), L"abc"},
      {L"%s", F(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
      {L"%3c|%-3c|", F(L"%3c|%-3c|", L'x', L'y'), L"  x|y  |"},
      {L"100%%", F(L"100%%"), L"100%"},
      {L"plain", F(L"plain"), L"plain"},
      {L"", F(L""), L""},
  });
}

TEST(WideFormat, FloatingPointHasTwoExponentDigitsAtLeast) {
  Check({
      {L"%.15G", F(L"%.15G", 1e20), L"1E+20"},
      {L"%.15G", F(L"%.15G", 3.14159265358979), L"3.14159265358979"},
      {L"%.15G", F(L"%.15G", 0.1), L"0.1"},
      {L"%.15G", F(L"%.15G", -2.5e-7), L"-2.5E-07"},
      {L"%g", F(L"%g", 1e-5), L"1e-05"},
      {L"%g %g", F(L"%g %g", 100000.0, 1e6), L"100000 1e+06"},
      {L"%e", F(L"%e", 12345.678), L"1.234568e+04"},
      {L"%E", F(L"%E", 0.000123), L"1.230000E-04"},
      {L"%.3e", F(L"%.3e", 1e100), L"1.000e+100"},
      {L"%e", F(L"%e", 1e-300), L"1.000000e-300"},
      {L"%e", F(L"%e", 0.0), L"0.000000e+00"},
      {L"%f", F(L"%f", 3.5), L"3.500000"},
      {L"%.2f", F(L"%.2f", 3.14159), L"3.14"},
      {L"%10.2f", F(L"%10.2f", 3.14159), L"      3.14"},
      {L"%-10.2f|", F(L"%-10.2f|", 3.14159), L"3.14      |"},
      {L"%010.2f", F(L"%010.2f", -3.14159), L"-000003.14"},
      {L"%+.1f % .1f", F(L"%+.1f % .1f", 2.0, 2.0), L"+2.0  2.0"},
      {L"%#.0f", F(L"%#.0f", 3.0), L"3."},
      {L"%#g", F(L"%#g", 1.0), L"1.00000"},
      {L"%012.3E", F(L"%012.3E", 12346.0), L"0001.235E+04"},
      {L"%12.3e|", F(L"%12.3e|", -12346.0), L"  -1.235e+04|"},
      {L"%Lf", F(L"%Lf", static_cast<long double>(1.5)), L"1.500000"},
      {L"%lf", F(L"%lf", 0.25), L"0.250000"},
      {L"%F", F(L"%F", 1.5), L"1.500000"},
      {L"%a", F(L"%a", 1.0), L"0x1.0000000000000p+0"},
      {L"%.1A", F(L"%.1A", -2.0), L"-0X1.0P+1"},
  });
}

TEST(WideFormat, InfinitiesAndNaNs) {
  const double inf = std::numeric_limits<double>::infinity();
  const double quiet = FromBits(0x7FF8000000000000ull);
  const double indefinite = FromBits(0xFFF8000000000000ull);
  const double signalling = FromBits(0x7FF0000000000001ull);
  Check({
      {L"%f", F(L"%f", inf), L"inf"},
      {L"%F", F(L"%F", inf), L"INF"},
      {L"%.15G", F(L"%.15G", -inf), L"-INF"},
      {L"%+e", F(L"%+e", inf), L"+inf"},
      {L"%6f|%-6f|", F(L"%6f|%-6f|", inf, inf), L"   inf|inf   |"},
      {L"%06f", F(L"%06f", -inf), L"  -inf"},
      {L"%g", F(L"%g", quiet), L"nan"},
      {L"%.15G", F(L"%.15G", indefinite), L"-NAN(IND)"},
      {L"%f", F(L"%f", indefinite), L"-nan(ind)"},
      {L"%e", F(L"%e", signalling), L"nan(snan)"},
  });
}

TEST(WideFormat, InvalidFormatsAreErrors) {
  int n = 0;
  for (const wchar_t* format : {L"%n", L"%k", L"abc%", L"%I6d", L"%-", L"%.5"}) {
    wchar_t out[8] = L"xxxxxxx";
    EXPECT_EQ(FormatWide(out, 8, format, &n), -1) << Printable(format);
    EXPECT_EQ(out[0], L'\0') << Printable(format);
  }
  EXPECT_EQ(FormatWide(nullptr, 0, nullptr), -1);
}

TEST(WideFormat, MeasuresAndTruncatesLikeACountedPrint) {
  EXPECT_EQ(FormatWide(nullptr, 0, L"%d-%s", 12345, L"ab"), 8);
  wchar_t small[4] = {L'x', L'x', L'x', L'x'};
  EXPECT_EQ(FormatWide(small, 4, L"%d-%s", 12345, L"ab"), 8);
  EXPECT_STREQ(small, L"123");
  wchar_t none[1] = {L'x'};
  EXPECT_EQ(FormatWide(none, 1, L"abc"), 3);
  EXPECT_EQ(none[0], L'\0');
}

TEST(WideFormat, ABufferOfNoUnitsIsOnlyMeasured) {
  struct Case {
    const wchar_t* format;
    int expected;
  };
  for (const Case& c : {Case{L"abc", 3}, Case{L"", 0}, Case{L"%k", -1}}) {
    wchar_t untouched[2] = {L'x', L'y'};
    EXPECT_EQ(FormatWide(untouched, 0, c.format), c.expected) << Printable(c.format);
    EXPECT_EQ(untouched[0], L'x') << Printable(c.format);
    EXPECT_EQ(untouched[1], L'y') << Printable(c.format);
  }
}

}  // namespace
