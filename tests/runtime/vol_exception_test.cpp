// The runtime exception as a value: construction, equality without the description, its debug text,
// cloning, assignment, the stream form, and throwing by value.
#include "MemoryStream.h"
#include "runtime/VolException.h"
#include "runtime/WConstString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "代码: " and "; 描述: " spelled by code point.
const std::wstring kCode = L"\u4EE3\u7801: ";
const std::wstring kDescription = L"; \u63CF\u8FF0: ";

TEST(VolException, Construction) {
  const CVolException plain;
  EXPECT_EQ(plain.GetCode(), 0);
  EXPECT_TRUE(plain.GetDescription().IsEmpty());

  static const wchar_t kText[] = L"library missing";
  const CVolException raised(kText);
  EXPECT_EQ(raised.GetCode(), -1);
  EXPECT_STREQ(raised.GetDescription().GetText(), L"library missing");
  EXPECT_NE(raised.GetDescription().GetText(), kText);  // an owned copy

  EXPECT_EQ(CVolException(L"").GetCode(), -1);
  EXPECT_TRUE(CVolException(L"").GetDescription().IsEmpty());
  EXPECT_TRUE(CVolException(static_cast<const wchar_t*>(nullptr)).GetDescription().IsEmpty());
}

TEST(VolException, EqualityIgnoresTheDescription) {
  EXPECT_TRUE(CVolException(L"one").IsEqual(CVolException(L"two")));
  EXPECT_FALSE(CVolException(L"one").IsEqual(CVolException()));
  CVolException tagged(L"one");
  tagged.SetTag(2);
  EXPECT_FALSE(tagged.IsEqual(CVolException(L"one")));
  EXPECT_FALSE(CVolException().IsEqual(CVolObject()));
}

TEST(VolException, DebugText) {
  CWString out;
  CVolException(L"").GetDebugText(out, 0);
  EXPECT_EQ(std::wstring(out.GetText()), kCode + L"-1" + kDescription);

  CWString described;
  CVolException(L"\u8F7D\u5165 x.dll").GetDebugText(described, 0);
  EXPECT_EQ(std::wstring(described.GetText()), kCode + L"-1" + kDescription + L"\u8F7D\u5165 x.dll");
}

TEST(VolException, CloneAssignAndReset) {
  CVolException source(L"text");
  source.SetTag(8);
  CVolException* clone = source.Clone();
  EXPECT_EQ(clone->GetCode(), -1);
  EXPECT_STREQ(clone->GetDescription().GetText(), L"text");
  EXPECT_EQ(clone->GetTag(), 8u);
  CVolObject::Delete(clone);

  CVolException target;
  EXPECT_TRUE(target.AssignFrom(source));
  EXPECT_EQ(target.GetCode(), -1);
  EXPECT_STREQ(target.GetDescription().GetText(), L"text");
  EXPECT_FALSE(target.AssignFrom(CWString(L"not an exception")));

  target.Reset();
  EXPECT_EQ(target.GetCode(), 0);
  EXPECT_EQ(target.GetTag(), 0u);
  EXPECT_TRUE(target.GetDescription().IsEmpty());
  EXPECT_TRUE(source.IsKindOf(CVolException::ClassInfo()));
  EXPECT_TRUE(source.IsKindOf(CVolObject::ClassInfo()));
  EXPECT_FALSE(source.IsKindOf(CWString::ClassInfo()));
}

TEST(VolException, StreamForm) {
  MemoryStream stream;
  CVolException(L"ab").SaveTo(&stream);
  const std::vector<unsigned char> expected = {0xFF, 0xFF, 0xFF, 0xFF, 6, 0, 0, 0, 'a', 0, 'b', 0, 0, 0};
  EXPECT_EQ(stream.Bytes(), expected);

  MemoryStream reader(expected);
  CVolException loaded;
  loaded.LoadFrom(&reader);
  EXPECT_EQ(reader.status, 0);
  EXPECT_EQ(loaded.GetCode(), -1);
  EXPECT_STREQ(loaded.GetDescription().GetText(), L"ab");

  MemoryStream shortCode(std::vector<unsigned char>{1, 2});
  CVolException untouched;
  untouched.LoadFrom(&shortCode);
  EXPECT_EQ(shortCode.status, -3);
  EXPECT_EQ(untouched.GetCode(), 0);
}

TEST(VolException, IsThrownByValueAndCaughtByReference) {
  try {
    CWString message;
    message.Format(L"missing \"%s\"", L"x.dll");
    throw CVolException(message.GetText());
  } catch (const CVolException& caught) {
    EXPECT_EQ(caught.GetCode(), -1);
    EXPECT_STREQ(caught.GetDescription().GetText(), L"missing \"x.dll\"");
    return;
  }
  ADD_FAILURE() << "nothing was caught";
}

}  // namespace
