// The wide string: its three storage modes and how operations move between them, counted
// assignment, formatting of numbers, case folding, concatenation, equality and assignment across
// the two string classes, code-page and UTF-8 conversions, and the stream form.
#include "MemoryStream.h"
#include "runtime/AppInstance.h"
#include "runtime/WConstString.h"
#include "runtime/WString.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

enum class Mode { kBorrowed, kEmpty, kOwned };

Mode ModeOf(const CWString& s) {
  if (s.GetConstText() != nullptr) return Mode::kBorrowed;
  return s.GetBuffer().GetLength() == 0 ? Mode::kEmpty : Mode::kOwned;
}

std::vector<unsigned char> Utf16Bytes(const std::wstring& text, bool withNul) {
  std::vector<unsigned char> bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<unsigned char>(c & 0xFF));
    bytes.push_back(static_cast<unsigned char>(c >> 8));
  }
  if (withNul) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

TEST(WString, DefaultStringIsTheSharedEmptyTextWithoutAllocation) {
  CWString s;
  EXPECT_EQ(s.GetText(), EmptyText);
  EXPECT_EQ(EmptyText[0], L'\0');
  EXPECT_EQ(s.GetBuffer().GetData(), nullptr);
  EXPECT_EQ(ModeOf(s), Mode::kEmpty);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.GetFlags(), 0u);
  EXPECT_EQ(s.GetTag(), 0u);
}

TEST(WString, ConstructorsGiveTheirModes) {
  static const wchar_t kLiteral[] = L"literal";
  const CWConstString borrowed(kLiteral);
  EXPECT_EQ(borrowed.GetText(), kLiteral);
  EXPECT_EQ(ModeOf(borrowed), Mode::kBorrowed);

  const CWString copied(kLiteral);
  EXPECT_NE(copied.GetText(), kLiteral);
  EXPECT_STREQ(copied.GetText(), L"literal");
  EXPECT_EQ(ModeOf(copied), Mode::kOwned);
  EXPECT_EQ(copied.GetBuffer().GetLength(), 16);
  EXPECT_EQ(copied.GetBuffer().GetCapacity(), 254);
  EXPECT_TRUE(g_appInstance.pool.Contains(copied.GetBuffer().GetData()));

  EXPECT_EQ(ModeOf(CWString(L"")), Mode::kEmpty);
  EXPECT_EQ(ModeOf(CWString(static_cast<const wchar_t*>(nullptr))), Mode::kEmpty);

  // A copy of a borrowing string borrows the same pointer.
  const CWString copyOfBorrowed(borrowed);
  EXPECT_EQ(copyOfBorrowed.GetText(), kLiteral);

  // 125 units and the NUL (252 bytes) fit one granule; one more unit needs a second.
  const std::wstring fits(125, L'x');
  EXPECT_EQ(CWString(fits.c_str()).GetBuffer().GetCapacity(), 254);
  EXPECT_TRUE(g_appInstance.pool.Contains(CWString(fits.c_str()).GetBuffer().GetData()));
  const std::wstring spills(126, L'x');
  EXPECT_EQ(CWString(spills.c_str()).GetBuffer().GetCapacity(), 508);
}

TEST(WString, AppendToABorrowedTextMakesItOwnedAndLeavesTheLiteral) {
  static const wchar_t kLiteral[] = L"a";
  CWConstString s(kLiteral);
  s.Append(L"b");
  EXPECT_STREQ(s.GetText(), L"ab");
  EXPECT_EQ(ModeOf(s), Mode::kOwned);
  EXPECT_EQ(s.GetBuffer().GetLength(), 6);
  EXPECT_STREQ(kLiteral, L"a");

  CWConstString untouched(kLiteral);
  untouched.Append(L"");
  untouched.Append(nullptr);
  untouched.AppendChar(0);
  EXPECT_EQ(ModeOf(untouched), Mode::kBorrowed);

  CWString chars;
  chars.AppendChar(L'x');
  chars.AppendChar(L'\u4E2D');
  EXPECT_STREQ(chars.GetText(), L"x\u4E2D");

  CWString self(L"ab");
  self.Append(self.GetText());
  self.Append(self.GetText());
  EXPECT_STREQ(self.GetText(), L"abababab");

  CWString many;
  for (int i = 0; i < 300; ++i) many.Append(L"xyz");
  EXPECT_EQ(many.GetLength(), 900);
  EXPECT_EQ(many.GetBuffer().GetLength(), 1802);
}

TEST(WString, MakeOwnedCopiesTheBorrowedText) {
  static const wchar_t kLiteral[] = L"abc";
  CWConstString s(kLiteral);
  s.MakeOwned();
  EXPECT_EQ(ModeOf(s), Mode::kOwned);
  EXPECT_NE(s.GetText(), kLiteral);
  EXPECT_STREQ(s.GetText(), L"abc");
  CWConstString empty(L"");
  empty.MakeOwned();
  EXPECT_EQ(empty.GetConstText(), nullptr);
  EXPECT_TRUE(empty.IsEmpty());
}

TEST(WString, AssignCountedCases) {
  const wchar_t withNul[] = {L'a', 0, L'c', 0};
  struct Case {
    const char* name;
    const wchar_t* text;
    int64_t count;
    const wchar_t* expected;
  };
  for (const Case& c : {Case{"shorter count", L"abc", 2, L"ab"}, Case{"count beyond the NUL", withNul, 3, L"a"},
                        Case{"zero count", L"abc", 0, L""}, Case{"negative count", L"abc", -1, L""},
                        Case{"empty text", L"", 5, L""}, Case{"null text", nullptr, 5, L""},
                        Case{"whole text", L"abc", 3, L"abc"}, Case{"count beyond the text", L"abc", 99, L"abc"}}) {
    CWString s(L"previous contents");
    s.AssignCounted(c.text, c.count);
    EXPECT_STREQ(s.GetText(), c.expected) << c.name;
    EXPECT_EQ(s.GetConstText(), nullptr) << c.name;
    if (c.expected[0] == 0) {
      EXPECT_EQ(s.GetBuffer().GetData(), nullptr) << c.name;
    }
  }
  CWString fromSelf(L"abcdef");
  fromSelf.AssignCounted(fromSelf.GetText() + 2, 3);
  EXPECT_STREQ(fromSelf.GetText(), L"cde");
  EXPECT_STREQ(CWString(L"xyz", 2).GetText(), L"xy");
}

TEST(WString, FormatAndAppendFormat) {
  CWString s(L"old");
  s.Format(L"%d-%s-%I64X", -12, L"\u4E2D", 0xABCull);
  EXPECT_STREQ(s.GetText(), L"-12-\u4E2D-ABC");
  EXPECT_EQ(s.GetBuffer().GetLength(), 2 * (9 + 1));

  s.AppendFormat(L"[%5.1f]", 2.0);
  EXPECT_STREQ(s.GetText(), L"-12-\u4E2D-ABC[  2.0]");

  CWString empty(L"old");
  empty.Format(L"");
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(empty.GetBuffer().GetData(), nullptr);

  CWString invalid(L"old");
  invalid.Format(L"%n", nullptr);
  EXPECT_TRUE(invalid.IsEmpty());
  invalid.Append(L"x");
  invalid.AppendFormat(L"%k");
  EXPECT_STREQ(invalid.GetText(), L"x");

  // An argument may be the string's own text.
  CWString self(L"abc");
  self.Format(L"<%s>", self.GetText());
  EXPECT_STREQ(self.GetText(), L"<abc>");

  // Around the length printed in one pass, and longer than one granule.
  for (int width : {254, 255, 256, 300}) {
    CWString longText;
    longText.Format(L"%*d|", width, 7);
    EXPECT_EQ(longText.GetLength(), width + 1) << width;
    EXPECT_EQ(longText.GetBuffer().GetLength(), 2 * (width + 2)) << width;
    EXPECT_EQ(longText.GetText()[width - 1], L'7') << width;
    EXPECT_EQ(longText.GetText()[width], L'|') << width;
    EXPECT_EQ(longText.GetText()[0], L' ') << width;
  }
}

TEST(WString, NumberTexts) {
  struct IntCase {
    int64_t value;
    const wchar_t* text;
  };
  for (const IntCase& c : {IntCase{INT64_MIN, L"-9223372036854775808"}, IntCase{0, L"0"}, IntCase{-5, L"-5"},
                           IntCase{INT64_MAX, L"9223372036854775807"}, IntCase{INT64_MIN + 1, L"-9223372036854775807"},
                           IntCase{1000000, L"1000000"}}) {
    EXPECT_STREQ(CWString(c.value).GetText(), c.text);
    wchar_t out[CWString::kInt64TextUnits];
    CWString::FormatInt64(c.value, out);
    EXPECT_STREQ(out, c.text);
  }
  EXPECT_STREQ(CWString(int32_t{-2147483647 - 1}).GetText(), L"-2147483648");
  EXPECT_STREQ(CWString(int32_t{0}).GetText(), L"0");
  EXPECT_STREQ(CWString(int32_t{42}).GetText(), L"42");
}

TEST(WString, FormatDoubleCases) {
  struct Case {
    double value;
    const wchar_t* text;
  };
  for (const Case& c : {Case{0.0000005, L"0"}, Case{-0.000001, L"0"}, Case{0.000001, L"0"},
                        Case{0.0000011, L"1.1E-06"}, Case{0.5, L"0.5"}, Case{1e20, L"1E+20"},
                        Case{3.14159265358979, L"3.14159265358979"}, Case{-2.0, L"-2"},
                        Case{123456789012345678.0, L"1.23456789012346E+17"}, Case{-1e100, L"-1E+100"}, Case{1e-100, L"0"},
                        Case{std::numeric_limits<double>::infinity(), L"INF"}}) {
    EXPECT_STREQ(CWString::FormatDouble(c.value).GetText(), c.text) << c.value;
  }
  EXPECT_STREQ(CWString::FormatDouble(std::nan("")).GetText(), L"NAN");
}

TEST(WString, AsciiCaseFoldingLeavesOtherUnitsAlone) {
  static const wchar_t kLiteral[] = L"a\u00E9Z\u4E2Dz@[`{";
  CWConstString upper(kLiteral);
  EXPECT_STREQ(upper.ToUpperAscii().GetText(), L"A\u00E9Z\u4E2DZ@[`{");
  EXPECT_STREQ(kLiteral, L"a\u00E9Z\u4E2Dz@[`{");
  CWString lower(kLiteral);
  EXPECT_STREQ(lower.ToLowerAscii().GetText(), L"a\u00E9z\u4E2Dz@[`{");
  CWString empty;
  EXPECT_TRUE(empty.ToUpperAscii().IsEmpty());
}

TEST(WString, ConcatKeepsABorrowedTextWhenTheOtherSideIsEmpty) {
  static const wchar_t kX[] = L"x";
  const CWString empty;
  const CWConstString literal(kX);
  const CWString left = CWString::Concat(empty, literal);
  EXPECT_EQ(left.GetText(), kX);
  const CWString right = CWString::Concat(literal, empty);
  EXPECT_EQ(right.GetText(), kX);

  CWString a(L"a");
  a.SetTag(3);
  a.SetNullObject(true);
  const CWString both = CWString::Concat(a, CWString(L"b"));
  EXPECT_STREQ(both.GetText(), L"ab");
  EXPECT_EQ(ModeOf(both), Mode::kOwned);
  EXPECT_EQ(both.GetFlags(), 0u);
  EXPECT_EQ(both.GetTag(), 0u);
  // A copy of a non-empty side keeps its header.
  EXPECT_EQ(CWString::Concat(empty, a).GetTag(), 3u);

  EXPECT_STREQ(CWString::ConcatText(a, L"cd").GetText(), L"acd");
  EXPECT_EQ(CWString::ConcatText(literal, nullptr).GetText(), kX);
  EXPECT_EQ(CWString::ConcatText(literal, L"").GetText(), kX);
  EXPECT_STREQ(CWString::ConcatText(empty, L"z").GetText(), L"z");
}

TEST(WString, EqualityAcrossTheTwoClasses) {
  CWString owned(L"x");
  const CWConstString literal(L"x");
  EXPECT_FALSE(owned.IsEqual(literal));
  EXPECT_FALSE(literal.IsEqual(owned));

  CWString borrowedThroughAssignment;
  EXPECT_TRUE(borrowedThroughAssignment.AssignFrom(literal));
  EXPECT_EQ(ModeOf(borrowedThroughAssignment), Mode::kBorrowed);
  EXPECT_TRUE(borrowedThroughAssignment.IsEqual(owned));

  EXPECT_FALSE(owned.IsEqual(CWString(L"X")));
  EXPECT_FALSE(owned.IsEqual(CWString(L"xy")));
  EXPECT_TRUE(CWString().IsEqual(CWString(L"")));
  CWString tagged(L"x");
  tagged.SetTag(1);
  EXPECT_FALSE(owned.IsEqual(tagged));
}

TEST(WString, ObjectProtocol) {
  CWConstString literal(L"lit");
  CWConstString target(L"t");
  EXPECT_TRUE(target.AssignFrom(literal));
  EXPECT_STREQ(target.GetText(), L"lit");

  CWString s(L"abc");
  s.SetTag(4);
  CWString* clone = s.Clone();
  EXPECT_TRUE(clone->IsEqual(s));
  EXPECT_NE(clone->GetText(), s.GetText());
  CVolObject::Delete(clone);
  CWConstString* literalClone = literal.Clone();
  EXPECT_EQ(literalClone->GetText(), literal.GetText());
  EXPECT_STREQ(literalClone->GetClassInfo().name, "CWConstString");
  CVolObject::Delete(literalClone);

  const unsigned char* allocation = s.GetBuffer().GetData();
  s.Reset();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.GetTag(), 0u);
  EXPECT_EQ(s.GetBuffer().GetData(), allocation);

  CWString out(L"previous");
  CWString(L"value").GetDebugText(out, 0);
  EXPECT_STREQ(out.GetText(), L"value");
}

TEST(WString, Utf8Conversion) {
  CWString s(u8"\u5C9A\u67AB\u79BE-ok");
  EXPECT_STREQ(s.GetText(), L"\u5C9A\u67AB\u79BE-ok");
  s.FromUtf8("+");
  s.FromUtf8("");
  s.FromUtf8(nullptr);
  EXPECT_STREQ(s.GetText(), L"\u5C9A\u67AB\u79BE-ok+");
  EXPECT_STREQ(CWString("\xF0\x9F\x98\x80").GetText(), L"\xD83D\xDE00");
}

TEST(WString, Utf8InputThatIsNotUtf8GivesReplacementCharacters) {
  struct Case {
    const char* name;
    const char* utf8;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {"byte that never occurs", "a\xFF" "b", L"ok" L"a\xFFFD" L"b"},
      {"continuation byte without a lead", "\x80" "x", L"ok" L"\xFFFD" L"x"},
      {"two bad bytes", "\xFE\xFF", L"ok" L"\xFFFD\xFFFD"},
      {"sequence cut short", "\xE4\xB8" "x", L"ok" L"\xFFFD" L"x"},
  };
  for (const Case& c : cases) {
    CWString s(L"ok");
    s.FromUtf8(c.utf8);
    EXPECT_EQ(std::wstring(s.GetText()), c.expected) << c.name;
  }
}

TEST(WString, AnsiCodePageConversion) {
  const CVolMem ab = CWString(L"ab").ToAnsiBytes();
  ASSERT_EQ(ab.GetLength(), 2);
  EXPECT_EQ(ab.GetData()[0], 0x61);
  EXPECT_EQ(ab.GetData()[1], 0x62);
  EXPECT_EQ(CWString().ToAnsiBytes().GetLength(), 0);

  EXPECT_TRUE(CWString::FromAnsiBytes(CVolMem()).IsEmpty());
  CVolMem bytes;
  bytes.AppendBytes("hi\0there", 8);
  EXPECT_STREQ(CWString::FromAnsiBytes(bytes).GetText(), L"hi");
  CVolMem unterminated;
  unterminated.AppendBytes("xyz", 3);
  EXPECT_STREQ(CWString(unterminated).GetText(), L"xyz");
  CVolMem leadingZero;
  leadingZero.AppendBytes("\0a", 2);
  EXPECT_TRUE(CWString::FromAnsiBytes(leadingZero).IsEmpty());

  // A letter outside ASCII survives the round trip through the system code page.
  const wchar_t* accented = GetACP() == 936 ? L"\u4E2D\u6587" : L"\u00E9";
  const CVolMem encoded = CWString(accented).ToAnsiBytes();
  EXPECT_GT(encoded.GetLength(), 0);
  EXPECT_STREQ(CWString::FromAnsiBytes(encoded).GetText(), accented) << "code page " << GetACP();
}

TEST(WStringStream, BorrowedAndOwnedStringsSaveTheSameBytes) {
  struct Case {
    const char* name;
    std::wstring text;
  };
  for (const Case& c : {Case{"empty", L""}, Case{"ascii", L"abc"}, Case{"chinese", L"\u4E2D\u6587"}}) {
    MemoryStream fromLiteral;
    CWConstString(c.text.c_str()).SaveTo(&fromLiteral);
    MemoryStream fromOwned;
    CWString(c.text.c_str()).SaveTo(&fromOwned);
    const std::vector<unsigned char> expected =
        c.text.empty() ? CountBytes(0)
                       : Join({CountBytes(static_cast<int32_t>((c.text.size() + 1) * 2)), Utf16Bytes(c.text, true)});
    EXPECT_EQ(fromLiteral.Bytes(), expected) << c.name;
    EXPECT_EQ(fromOwned.Bytes(), expected) << c.name;

    MemoryStream reader(expected);
    CWString loaded(L"previous");
    loaded.LoadFrom(&reader);
    EXPECT_EQ(reader.status, 0) << c.name;
    EXPECT_EQ(std::wstring(loaded.GetText()), c.text) << c.name;
    EXPECT_EQ(loaded.GetConstText(), nullptr) << c.name;
  }
}

TEST(WStringStream, BytesThatAreNotOneTerminatedTextAreRefused) {
  struct Case {
    const char* name;
    std::vector<unsigned char> bytes;
  };
  const std::vector<Case> cases = {
      {"no NUL unit", Join({CountBytes(4), Utf16Bytes(L"ab", false)})},
      {"odd byte count", Join({CountBytes(3), {'a', 0, 0}})},
      {"short read", Join({CountBytes(6), Utf16Bytes(L"a", true)})},
      {"negative count", CountBytes(-2)},
      // The text would end at the inner NUL while the length counts all units: a later Append would
      // be hidden behind it.
      {"NUL before the last unit", Join({CountBytes(8), Utf16Bytes(std::wstring(L"a\0b", 3), true)})},
      {"NUL units only", Join({CountBytes(4), {0, 0, 0, 0}})},
  };
  for (const Case& c : cases) {
    MemoryStream reader(c.bytes);
    CWString s(L"previous");
    s.LoadFrom(&reader);
    EXPECT_EQ(reader.status, -3) << c.name;
    EXPECT_TRUE(s.IsEmpty()) << c.name;
  }
  // Nothing is touched on a stream already in error.
  MemoryStream failed(Join({CountBytes(4), Utf16Bytes(L"a", true)}));
  failed.status = -4;
  CWString kept(L"kept");
  kept.LoadFrom(&failed);
  EXPECT_STREQ(kept.GetText(), L"kept");
  EXPECT_EQ(failed.status, -4);
}

}  // namespace
