// The byte buffer: granule growth and shrinking, appends, splices and removals (including positions
// and counts outside the buffer), the hexadecimal dump, the stream form and the object protocol.
#include "MemoryStream.h"
#include "TestText.h"
#include "runtime/AppInstance.h"
#include "runtime/VolMem.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Bytes(const CVolMem& mem) {
  return std::string(reinterpret_cast<const char*>(mem.GetData()), static_cast<size_t>(mem.GetLength()));
}

CVolMem FromText(const char* text, int64_t growStep = CVolMem::kDefaultGrowStep) {
  CVolMem mem(growStep);
  mem.AppendBytes(text, static_cast<int64_t>(std::strlen(text)));
  return mem;
}

TEST(VolMem, SetSizeFollowsTheGranuleRules) {
  struct Step {
    int64_t length;
    int64_t capacity;
  };
  struct Case {
    const char* name;
    int64_t growStep;
    std::vector<Step> steps;
  };
  const std::vector<Case> cases = {
      {"hysteresis of one granule", 64, {{1, 64}, {64, 64}, {100, 128}, {70, 128}, {10, 64}}},
      {"an exact granule on a new buffer", 64, {{64, 128}}},
      {"string granule", 254, {{2, 254}}},
      {"string granule, a full granule on a new buffer", 254, {{254, 508}}},
      {"a length that reaches the capacity keeps it", 254, {{2, 254}, {254, 254}, {255, 508}}},
      {"array granule", 256, {{8, 256}, {256, 256}, {600, 768}, {8, 256}}},
      {"zero counts as 64", 0, {{1, 64}, {130, 192}}},
      {"negative counts as 64", -5, {{63, 64}}},
      {"back to nothing", 64, {{30, 64}, {0, 0}, {5, 64}}},
  };
  for (const Case& c : cases) {
    CVolMem mem(c.growStep);
    for (const Step& step : c.steps) {
      mem.SetSize(step.length);
      EXPECT_EQ(mem.GetLength(), step.length) << c.name;
      EXPECT_EQ(mem.GetCapacity(), step.capacity) << c.name << " at length " << step.length;
      EXPECT_EQ(mem.GetData() == nullptr, step.capacity == 0) << c.name;
    }
  }
}

TEST(VolMem, SetSizeKeepsTheBytesAndIgnoresANegativeLength) {
  CVolMem mem = FromText("abcdef");
  unsigned char* data = mem.GetData();
  EXPECT_EQ(mem.SetSize(-1), data);
  EXPECT_EQ(Bytes(mem), "abcdef");
  mem.SetSize(300);  // moves out of its pool block into the heap
  EXPECT_FALSE(g_appInstance.pool.Contains(mem.GetData()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(mem.GetData()), 6), "abcdef");
}

TEST(VolMem, AppendsBytesAndWideText) {
  CVolMem mem;
  mem.AppendWideZ(L"");
  EXPECT_EQ(mem.GetLength(), 2);
  EXPECT_EQ(Bytes(mem), std::string(2, '\0'));

  CVolMem other;
  other.AppendWide(L"");
  other.AppendWide(nullptr);
  EXPECT_EQ(other.GetLength(), 0);
  EXPECT_EQ(other.GetData(), nullptr);

  other.AppendWide(L"ab");
  other.AppendWideZ(L"c");
  other.AppendWideZ(nullptr);
  EXPECT_EQ(Bytes(other), std::string("a\0b\0c\0\0\0\0\0", 10));

  CVolMem zeros;
  zeros.AppendBytes(nullptr, 3);
  zeros.AppendBytes("x", 0);
  zeros.AppendBytes("x", -4);
  EXPECT_EQ(Bytes(zeros), std::string(3, '\0'));
}

TEST(VolMem, AppendsItsOwnBytesAcrossAReallocation) {
  CVolMem mem;
  mem.AppendBytes("0123456789", 10);
  for (int i = 0; i < 6; ++i) mem.AppendBytes(mem.GetData(), mem.GetLength());  // 10 << 6 bytes, many moves
  ASSERT_EQ(mem.GetLength(), 640);
  for (int64_t i = 0; i < mem.GetLength(); ++i) ASSERT_EQ(mem.GetData()[i], '0' + i % 10) << i;
}

TEST(VolMem, ReplaceRangeCases) {
  struct Case {
    const char* name;
    const char* start;
    int64_t pos;
    int64_t del;
    const char* source;  // nullptr: zeros
    int64_t ins;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"pure insertion in the middle", "abcdef", 2, 0, "XY", 2, "abXYcdef"},
      {"insertion at the start", "abc", 0, 0, "XY", 2, "XYabc"},
      {"insertion at the end", "abc", 3, 0, "XY", 2, "abcXY"},
      {"position beyond the end appends", "abc", 10, 2, "XY", 2, "abcXY"},
      {"nothing to insert or delete", "abc", 1, 0, "XY", 0, "abc"},
      {"deletion only", "abcdef", 1, 3, "XY", 0, "aef"},
      {"growing replacement", "abcdef", 1, 1, "XYZ", 3, "aXYZcdef"},
      {"shrinking replacement", "abcdef", 1, 3, "X", 1, "aXef"},
      {"same-length replacement", "abcdef", 2, 2, "XY", 2, "abXYef"},
      {"deletion reaching past the end is cut", "abcdef", 4, 10, "XY", 2, "abcdXY"},
      {"null source inserts zeros", "abc", 1, 1, nullptr, 2, std::string("a\0\0c", 4)},
      {"negative position starts at 0 and shortens the range", "abcdef", -2, 3, "X", 1, "Xbcdef"},
      {"negative position with a range before the buffer inserts at 0", "abc", -5, 2, "X", 1, "Xabc"},
      {"negative deletion is an insertion", "abc", 1, -3, "X", 1, "aXbc"},
      {"negative insertion only deletes", "abcdef", 0, 2, "X", -1, "cdef"},
      {"whole buffer replaced", "abc", 0, 3, "XYZW", 4, "XYZW"},
      {"empty buffer", "", 0, 0, "XY", 2, "XY"},
  };
  for (const Case& c : cases) {
    CVolMem mem = FromText(c.start);
    mem.ReplaceRange(c.pos, c.del, c.source, c.ins);
    EXPECT_EQ(Bytes(mem), c.expected) << c.name;
    EXPECT_LE(mem.GetLength(), mem.GetCapacity()) << c.name;
  }
}

TEST(VolMem, ReplaceRangeWithASourceInsideTheBuffer) {
  CVolMem mem = FromText("abcdef");
  mem.ReplaceRange(0, 1, mem.GetData() + 3, 3);  // "def" over "a"
  EXPECT_EQ(Bytes(mem), "defbcdef");
  CVolMem shrink = FromText("abcdef");
  shrink.ReplaceRange(0, 4, shrink.GetData() + 4, 2);  // "ef" over "abcd"
  EXPECT_EQ(Bytes(shrink), "efef");
  CVolMem big(8);
  big.AppendBytes("0123456", 7);
  big.ReplaceRange(3, 0, big.GetData(), 7);  // grows and reallocates while inserting itself
  EXPECT_EQ(Bytes(big), "01201234563456");
}

TEST(VolMem, RemoveRangeCases) {
  struct Case {
    const char* name;
    int64_t pos;
    int64_t count;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"middle", 1, 2, "ade"},
      {"start", 0, 2, "cde"},
      {"to the end", 3, 2, "abc"},
      {"past the end cuts from the position", 2, 100, "ab"},
      {"negative position cuts the last bytes", -1, 3, "ab"},
      {"negative position and more than everything", -7, 9, ""},
      {"position at the end", 5, 1, "abcde"},
      {"position beyond the end", 9, 2, "abcde"},
      {"zero count", 1, 0, "abcde"},
      {"negative count", 1, -2, "abcde"},
      {"everything", 0, 5, ""},
  };
  for (const Case& c : cases) {
    CVolMem mem = FromText("abcde");
    mem.RemoveRange(c.pos, c.count);
    EXPECT_EQ(Bytes(mem), c.expected) << c.name;
    if (c.expected.empty()) {
      EXPECT_EQ(mem.GetData(), nullptr) << c.name << ": the allocation is released";
      EXPECT_EQ(mem.GetCapacity(), 0) << c.name;
    }
  }
}

TEST(VolMem, CopyFromTakesHeaderAndBytesButKeepsTheOwnGranule) {
  CVolMem source = FromText("hello");
  source.SetTag(4);
  source.SetNullObject(true);
  CVolMem target(256);
  target.CopyFrom(source);
  EXPECT_EQ(Bytes(target), "hello");
  EXPECT_EQ(target.GetTag(), 4u);
  EXPECT_TRUE(target.IsNullObject());
  EXPECT_EQ(target.GetGrowStep(), 256);
  EXPECT_EQ(target.GetCapacity(), 256);
  target.CopyFrom(target);
  EXPECT_EQ(Bytes(target), "hello");
  target.CopyFrom(CVolMem());
  EXPECT_EQ(target.GetLength(), 0);
}

TEST(VolMem, ObjectProtocol) {
  CVolMem a = FromText("abc", 256);
  CVolMem b = FromText("abc");
  EXPECT_TRUE(a.IsEqual(b));
  b.AppendBytes("d", 1);
  EXPECT_FALSE(a.IsEqual(b));
  CVolMem c = FromText("abd");
  EXPECT_FALSE(a.IsEqual(c));
  EXPECT_TRUE(CVolMem().IsEqual(CVolMem(256)));

  CVolMem* clone = a.Clone();
  EXPECT_TRUE(clone->IsEqual(a));
  EXPECT_EQ(clone->GetGrowStep(), 64);
  EXPECT_NE(clone->GetData(), a.GetData());
  CVolObject::Delete(clone);

  CVolMem target;
  EXPECT_TRUE(target.AssignFrom(a));
  EXPECT_EQ(Bytes(target), "abc");
  CWString text(L"x");
  EXPECT_FALSE(target.AssignFrom(text));
  EXPECT_EQ(Bytes(target), "abc");

  unsigned char* allocation = target.GetData();
  target.SetTag(5);
  target.Reset();
  EXPECT_EQ(target.GetLength(), 0);
  EXPECT_EQ(target.GetTag(), 0u);
  EXPECT_EQ(target.GetData(), allocation);  // Reset keeps the allocation
  target.Clear();
  EXPECT_EQ(target.GetData(), nullptr);

  EXPECT_TRUE(a.IsKindOf(CVolMem::ClassInfo()));
  EXPECT_TRUE(a.IsKindOf(CVolObject::ClassInfo()));
  EXPECT_FALSE(a.IsKindOf(CWString::ClassInfo()));
  EXPECT_STREQ(a.GetClassInfo().name, "CVolMem");
}

TEST(FormatHex32, EightUpperCaseDigits) {
  struct Case {
    uint32_t value;
    const wchar_t* text;
  };
  for (const Case& c : {Case{0, L"00000000"}, Case{16, L"00000010"}, Case{1008, L"000003F0"},
                        Case{0xDEADBEEF, L"DEADBEEF"}, Case{0xFFFFFFFF, L"FFFFFFFF"}}) {
    wchar_t out[9];
    FormatHex32(c.value, out);
    EXPECT_STREQ(out, c.text);
  }
}

// "<字节集> 总共 " and " 个字节" spelled by code point.
const std::wstring kDumpHead = L"<\u5B57\u8282\u96C6> \u603B\u5171 ";
const std::wstring kBytes = L" \u4E2A\u5B57\u8282";

TEST(VolMemDump, FiveBytes) {
  CVolMem mem = FromText("Hello");
  CWString out;
  mem.GetDebugText(out, 0);
  const std::wstring expected = kDumpHead + L"5" + kBytes + L":" + L"\r\n[00000000]: 48 65 6C 6C 6F" +
                                std::wstring(33, L' ') + L" | Hello";
  EXPECT_EQ(std::wstring(out.GetText()), expected) << Printable(out.GetText());
}

TEST(VolMemDump, SeventeenBytesMakeTwoLines) {
  CVolMem mem;
  for (int i = 0; i < 17; ++i) mem.AppendBytes(i == 0 ? "\x01" : i == 16 ? "~" : "A", 1);
  mem.GetData()[5] = 0x7F;
  mem.GetData()[6] = 0x80;
  mem.GetData()[7] = 0x20;
  CWString out;
  mem.GetDebugText(out, -1);
  const std::wstring expected = kDumpHead + L"17" + kBytes + L":" +
                                L"\r\n[00000000]: 01 41 41 41 41 7F 80 20 41 41 41 41 41 41 41 41 | .AAAA.. AAAAAAAA" +
                                L"\r\n[00000010]: 7E" + std::wstring(45, L' ') + L" | ~";
  EXPECT_EQ(std::wstring(out.GetText()), expected) << Printable(out.GetText());
}

TEST(VolMemDump, HeadersForTheListingLimits) {
  // ",输出了 " " 个,还有 " " 个未被输出."
  const std::wstring shown = L",\u8F93\u51FA\u4E86 ";
  const std::wstring left = L" \u4E2A,\u8FD8\u6709 ";
  const std::wstring tail = L" \u4E2A\u672A\u88AB\u8F93\u51FA.";
  struct Case {
    int64_t length;
    int32_t maxItems;
    std::wstring header;
    int lines;
  };
  const std::vector<Case> cases = {
      {0, 0, kDumpHead + L"0" + kBytes + L":", 0},
      {20, 3, kDumpHead + L"20" + kBytes + shown + L"3" + left + L"17" + tail, 1},
      {20, 20, kDumpHead + L"20" + kBytes + L":", 2},
      {1030, 0, kDumpHead + L"1030" + kBytes + shown + L"1024" + left + L"6" + tail, 64},
      {1030, -1, kDumpHead + L"1030" + kBytes + L":", 65},
  };
  for (const Case& c : cases) {
    CVolMem mem;
    mem.AppendBytes(nullptr, c.length);
    CWString out;
    mem.GetDebugText(out, c.maxItems);
    const std::wstring text = out.GetText();
    EXPECT_EQ(text.substr(0, text.find(L"\r\n")), c.header) << c.length << "/" << c.maxItems;
    size_t lines = 0;
    for (size_t at = text.find(L"\r\n["); at != std::wstring::npos; at = text.find(L"\r\n[", at + 1)) ++lines;
    EXPECT_EQ(lines, static_cast<size_t>(c.lines)) << c.length << "/" << c.maxItems;
  }
}

TEST(VolMemDump, AppendsToTheOutput) {
  CVolMem mem = FromText("A");
  CWString out(L">");
  mem.GetDebugText(out, 0);
  EXPECT_EQ(out.GetText()[0], L'>');
  EXPECT_EQ(std::wstring(out.GetText()).substr(1, 5), L"<\u5B57\u8282\u96C6>");
}

TEST(VolMemStream, RoundTripsAndLayout) {
  for (const char* text : {"", "x", "Hello, stream"}) {
    CVolMem source = FromText(text);
    MemoryStream stream;
    source.SaveTo(&stream);
    EXPECT_EQ(stream.status, 0);
    const size_t n = std::strlen(text);
    std::vector<unsigned char> expected = CountBytes(static_cast<int32_t>(n));
    expected.insert(expected.end(), text, text + n);
    EXPECT_EQ(stream.Bytes(), expected) << text;

    MemoryStream reader(stream.Bytes());
    CVolMem loaded = FromText("previous");
    loaded.LoadFrom(&reader);
    EXPECT_EQ(reader.status, 0);
    EXPECT_EQ(Bytes(loaded), text);
    if (n == 0) {
      EXPECT_EQ(loaded.GetData(), nullptr);
    }
  }
}

TEST(VolMemStream, LoadsALargeBufferDeliveredInFull) {
  CVolMem source;
  for (int i = 0; i < 200000; ++i) {
    const unsigned char byte = static_cast<unsigned char>(i * 7);
    source.AppendBytes(&byte, 1);
  }
  MemoryStream stream;
  source.SaveTo(&stream);
  MemoryStream reader(stream.Bytes());
  CVolMem loaded(256);
  loaded.LoadFrom(&reader);
  EXPECT_EQ(reader.status, 0);
  EXPECT_TRUE(loaded.IsEqual(source));
  EXPECT_EQ(loaded.GetGrowStep(), 256);
}

TEST(VolMemStream, BadCountsAndShortStreamsLeaveTheBufferAsItWas) {
  struct Case {
    const char* name;
    std::vector<unsigned char> bytes;
  };
  const std::vector<Case> cases = {
      {"no count at all", {}},
      {"half a count", {5, 0}},
      {"negative count", CountBytes(-1)},
      {"most negative count", CountBytes(INT32_MIN)},
      {"fewer bytes than counted", Join({CountBytes(5), {'a', 'b'}})},
      {"a huge count the stream cannot deliver", Join({CountBytes(0x7FFFFFF0), {'a', 'b', 'c'}})},
  };
  for (const Case& c : cases) {
    MemoryStream reader(c.bytes);
    CVolMem mem = FromText("keep me");
    mem.LoadFrom(&reader);
    EXPECT_EQ(reader.status, -3) << c.name;
    EXPECT_EQ(Bytes(mem), "keep me") << c.name;
  }
}

TEST(VolMemStream, NothingHappensOnAnAbsentOrFailedStream) {
  CVolMem mem = FromText("abc");
  mem.LoadFrom(nullptr);
  mem.SaveTo(nullptr);
  for (int32_t status : {-3, -4}) {
    MemoryStream reader(Join({CountBytes(1), {'z'}}));
    reader.status = status;
    mem.LoadFrom(&reader);
    EXPECT_EQ(reader.status, status);
    EXPECT_EQ(reader.reads, 0);
    EXPECT_EQ(Bytes(mem), "abc");

    MemoryStream writer;
    writer.status = status;
    mem.SaveTo(&writer);
    EXPECT_EQ(writer.status, status);
    EXPECT_TRUE(writer.Bytes().empty());
  }
}

TEST(VolMemStream, AFailedWriteSetsMinusFour) {
  CVolMem mem = FromText("abcdef");
  MemoryStream writer;
  writer.writeLimit = 6;  // the count fits, the bytes do not
  mem.SaveTo(&writer);
  EXPECT_EQ(writer.status, -4);
}

TEST(VolMemStream, ALengthBeyondThirtyTwoBitsIsNotWrittenWithAWrongCount) {
  CVolMem mem;
  // Address space only: the pages are never touched. Skipped where the system cannot commit it.
  const int64_t size = int64_t{1} << 31;
  void* room = mem.MemTryAlloc(size + CVolMem::kDefaultGrowStep);
  if (room == nullptr) GTEST_SKIP() << "2 GiB cannot be committed here";
  mem.MemFree(room);
  unsigned char* data = mem.SetSize(size);
  ASSERT_NE(data, nullptr);
  MemoryStream writer;
  mem.SaveTo(&writer);
  EXPECT_EQ(writer.status, -4);
  EXPECT_TRUE(writer.Bytes().empty());
}

TEST(Md5, RfcTestSuite) {
  struct Case {
    const char* message;
    const wchar_t* digest;
  };
  const std::vector<Case> cases = {
      {"", L"d41d8cd98f00b204e9800998ecf8427e"},
      {"a", L"0cc175b9c0f1b6a831c399e269772661"},
      {"abc", L"900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", L"f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", L"d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       L"57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(FromText(c.message).Md5Hex().GetText(), c.digest) << c.message;
  }
}

TEST(Md5, PaddingBoundaries) {
  // Lengths around the 56-byte padding limit and the 64-byte block, against digests computed
  // independently (md5sum of runs of 'a').
  struct Case {
    int length;
    const wchar_t* digest;
  };
  const std::vector<Case> cases = {
      {55, L"ef1772b6dff9a122358552954ad0df65"},
      {56, L"3b0c8ac703f828b04c6c197006d17218"},
      {63, L"b06521f39153d618550606be297466d5"},
      {64, L"014842d480b571495a4a0363793f7367"},
      {65, L"c743a45e0d2e6a95cb859adae0248435"},
  };
  for (const Case& c : cases) {
    const std::string text(static_cast<size_t>(c.length), 'a');
    EXPECT_STREQ(FromText(text.c_str()).Md5Hex().GetText(), c.digest) << c.length;
  }
}

}  // namespace
