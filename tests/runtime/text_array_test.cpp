// The text list: owned text blocks, copies, equality, the listing, and the stream form with the ways a
// stream can come up short or lie about its count.
#include "ListingText.h"
#include "MemoryStream.h"
#include "TestText.h"
#include "runtime/AppInstance.h"
#include "runtime/MStringArray.h"
#include "runtime/VolTextArray.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

CVolTextArray MakeList(std::initializer_list<const wchar_t*> texts) {
  CVolTextArray list;
  for (const wchar_t* text : texts) list.Texts().Add(text);
  return list;
}

std::vector<std::wstring> TextsOf(const CVolTextArray& list) {
  std::vector<std::wstring> texts;
  for (int64_t i = 0; i < list.Texts().GetCount(); ++i) texts.emplace_back(list.Texts().GetAt(i));
  return texts;
}

// A text in the string's stream form: byte count, the UTF-16 units and a NUL unit.
std::vector<unsigned char> TextBytes(const std::wstring& text) {
  std::vector<unsigned char> bytes = CountBytes(static_cast<int32_t>((text.size() + 1) * 2));
  for (wchar_t c : text) {
    bytes.push_back(static_cast<unsigned char>(c & 0xFF));
    bytes.push_back(static_cast<unsigned char>(c >> 8));
  }
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

TEST(StringArray, OwnsACopyOfEveryTextAndHoldsEmptyTextsAsNull) {
  wchar_t source[] = L"abc";
  CMStringArray texts;
  texts.Add(source);
  texts.Add(L"");
  texts.Add(nullptr);
  source[0] = L'x';
  ASSERT_EQ(texts.GetCount(), 3);
  EXPECT_STREQ(texts.GetAt(0), L"abc");
  EXPECT_TRUE(g_appInstance.pool.Contains(texts.GetAt(0)));
  EXPECT_EQ(texts.GetAt(1), EmptyText);
  EXPECT_EQ(texts.GetAt(2), EmptyText);
  EXPECT_EQ(texts.GetAt(3), EmptyText);
  EXPECT_EQ(texts.GetAt(-1), EmptyText);
  texts.Clear();
  EXPECT_EQ(texts.GetCount(), 0);
}

TEST(StringArray, ReducedClassRecord) {
  const CMStringArray texts;
  EXPECT_STREQ(texts.GetClassInfo().name, "CMStringArray");
  EXPECT_EQ(texts.GetClassInfo().length, 13u);
  EXPECT_EQ(texts.GetClassInfo().hash, ClassNameHash("CMStringArray"));
  EXPECT_TRUE(texts.IsKindOf(MakeClassTag("CMStringArray")));
  EXPECT_FALSE(texts.IsKindOf(MakeClassTag("CVolObject")));
}

TEST(TextArray, CopiesAreDeepAndSurviveTheirSource) {
  CVolTextArray* source = new CVolTextArray(MakeList({L"one", L"", L"three"}));
  source->SetTag(4);
  CVolObject* clone = source->Clone();
  ASSERT_EQ(&clone->GetClassInfo(), &CVolTextArray::ClassInfo());
  const CVolTextArray& copy = *static_cast<CVolTextArray*>(clone);
  EXPECT_NE(copy.Texts().GetAt(0), source->Texts().GetAt(0));
  EXPECT_TRUE(copy.IsEqual(*source));
  CVolObject::Delete(source);
  EXPECT_EQ(TextsOf(copy), (std::vector<std::wstring>{L"one", L"", L"three"}));
  EXPECT_EQ(copy.GetTag(), 4u);

  CVolTextArray target = MakeList({L"old"});
  EXPECT_TRUE(target.AssignFrom(copy));
  EXPECT_TRUE(target.IsEqual(copy));
  CVolObject::Delete(clone);
  EXPECT_EQ(TextsOf(target), (std::vector<std::wstring>{L"one", L"", L"three"}));
}

TEST(TextArray, AssigningAListToItselfKeepsItsTexts) {
  CVolTextArray list = MakeList({L"a", L"b"});
  EXPECT_TRUE(list.AssignFrom(list));
  EXPECT_EQ(TextsOf(list), (std::vector<std::wstring>{L"a", L"b"}));
  list.Texts().CopyFrom(list.Texts());
  EXPECT_EQ(TextsOf(list), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(TextArray, Equality) {
  struct Case {
    const char* what;
    std::initializer_list<const wchar_t*> a;
    std::initializer_list<const wchar_t*> b;
    bool equal;
  };
  const Case cases[] = {
      {"both empty", {}, {}, true},
      {"same texts", {L"a", L"bc"}, {L"a", L"bc"}, true},
      {"null and empty entries", {L"", nullptr}, {nullptr, L""}, true},
      {"other count", {L"a"}, {L"a", L"a"}, false},
      {"other order", {L"a", L"b"}, {L"b", L"a"}, false},
      {"case differs", {L"a"}, {L"A"}, false},
      {"prefix", {L"ab"}, {L"a"}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeList(c.a).IsEqual(MakeList(c.b)), c.equal) << c.what;
  }
  CVolTextArray tagged = MakeList({L"a"});
  tagged.SetTag(1);
  EXPECT_FALSE(tagged.IsEqual(MakeList({L"a"})));
  EXPECT_TRUE(tagged.IsEqual(tagged));
  EXPECT_FALSE(MakeList({}).IsEqual(CVolObject()));
}

TEST(TextArray, ResetReleasesEveryText) {
  CVolTextArray list = MakeList({L"a", L"b"});
  list.SetFlags(1);
  list.SetTag(2);
  list.Reset();
  EXPECT_EQ(list.Texts().GetCount(), 0);
  EXPECT_EQ(list.GetFlags(), 0u);
  EXPECT_EQ(list.GetTag(), 0u);
  EXPECT_TRUE(list.IsEqual(CVolTextArray()));
}

TEST(TextArray, ClassAndKind) {
  const CVolTextArray list;
  EXPECT_STREQ(list.GetClassInfo().name, "rg_n1::rg_n1727");
  EXPECT_TRUE(list.IsKindOf(CVolValueBase::ClassInfo()));
  EXPECT_TRUE(list.IsKindOf(CVolObject::ClassInfo()));
  CVolObject plain;
  EXPECT_TRUE(plain.AssignFrom(list));
  CVolTextArray target;
  EXPECT_FALSE(target.AssignFrom(plain));
}

TEST(TextArray, Listing) {
  CWString out;
  MakeList({L"a", L"", L"b\tc \"q\""}).GetDebugText(out, 0);
  EXPECT_EQ(std::wstring(out.GetText()),
            FullListingHeader(3) + L"\r\n1. \"a\"\r\n2. \"\"\r\n3. \"b\\tc \\\"q\\\"\"")
      << Printable(out.GetText());

  CWString empty;
  CVolTextArray().GetDebugText(empty, 0);
  EXPECT_EQ(std::wstring(empty.GetText()), FullListingHeader(0));

  CVolTextArray many;
  for (int i = 0; i < 65; ++i) many.Texts().Add(std::to_wstring(i).c_str());
  CWString limited;
  many.GetDebugText(limited, 2);
  EXPECT_EQ(std::wstring(limited.GetText()), PartListingHeader(65, 2, 63) + L"\r\n1. \"0\"\r\n2. \"1\"");
  CWString byDefault;
  many.GetDebugText(byDefault, 0);
  const std::wstring text = byDefault.GetText();
  EXPECT_EQ(text.substr(0, text.find(L"\r\n")), PartListingHeader(65, 64, 1));
  EXPECT_NE(text.find(L"\r\n64. \"63\""), std::wstring::npos);
  EXPECT_EQ(text.find(L"\r\n65. "), std::wstring::npos);
}

TEST(TextArrayStream, LayoutAndRoundTrip) {
  const CVolTextArray list = MakeList({L"ab", L"", L"\u4E2D"});
  MemoryStream out;
  list.SaveTo(&out);
  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(out.Bytes(), Join({CountBytes(3), TextBytes(L"ab"), CountBytes(0), TextBytes(L"\u4E2D")}));

  CVolTextArray loaded = MakeList({L"replaced"});
  MemoryStream in(out.Bytes());
  loaded.LoadFrom(&in);
  EXPECT_EQ(in.status, 0);
  EXPECT_TRUE(loaded.IsEqual(list));
  EXPECT_EQ(loaded.Texts().GetAt(1), EmptyText);

  MemoryStream emptyOut;
  CVolTextArray().SaveTo(&emptyOut);
  EXPECT_EQ(emptyOut.Bytes(), CountBytes(0));
}

TEST(TextArrayStream, ShortAndCorruptStreams) {
  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    std::vector<std::wstring> kept;
  };
  const std::vector<Case> cases = {
      {"count 2 and one text", Join({CountBytes(2), TextBytes(L"first")}), {L"first"}},
      {"second text cut short", Join({CountBytes(2), TextBytes(L"first"), CountBytes(8), {'x', 0}}), {L"first"}},
      {"empty entry, then nothing", Join({CountBytes(3), CountBytes(0)}), {L""}},
      {"count cut short", {2, 0}, {}},
      {"negative count", CountBytes(-1), {}},
      {"huge count", Join({CountBytes(INT32_MAX), TextBytes(L"a"), TextBytes(L"b")}), {L"a", L"b"}},
      {"text without its NUL", Join({CountBytes(1), CountBytes(2), {'x', 0}}), {}},
  };
  for (const Case& c : cases) {
    CVolTextArray list = MakeList({L"before"});
    MemoryStream in(c.bytes);
    list.LoadFrom(&in);
    EXPECT_EQ(in.status, IVolStream::kReadFailed) << c.what;
    EXPECT_EQ(TextsOf(list), c.kept) << c.what;
  }
}

TEST(TextArrayStream, NothingHappensOnAnAbsentOrFailedStream) {
  CVolTextArray list = MakeList({L"kept"});
  list.LoadFrom(nullptr);
  list.SaveTo(nullptr);
  MemoryStream failed(Join({CountBytes(1), TextBytes(L"new")}));
  failed.status = IVolStream::kReadFailed;
  list.LoadFrom(&failed);
  list.SaveTo(&failed);
  EXPECT_EQ(failed.reads, 0);
  EXPECT_EQ(failed.writes, 0);
  EXPECT_EQ(TextsOf(list), std::vector<std::wstring>{L"kept"});

  // A write that fails midway stops the save.
  MemoryStream full;
  full.writeLimit = 6;
  MakeList({L"a", L"b", L"c"}).SaveTo(&full);
  EXPECT_EQ(full.status, IVolStream::kWriteFailed);
  EXPECT_EQ(full.writes, 2);
}

}  // namespace
