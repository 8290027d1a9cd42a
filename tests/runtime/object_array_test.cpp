// The object list: it owns its members, copies them by cloning, compares them in order, and lists them
// with their class names, addresses and own texts.
#include "ListingText.h"
#include "MemoryStream.h"
#include "TestText.h"
#include "runtime/VolBoxed.h"
#include "runtime/VolObjectArray.h"
#include "runtime/VolPoint.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// A member that knows how many of its kind are alive and whether it was destroyed.
class Probe : public CVolObject {
 public:
  static int alive;
  explicit Probe(int value = 0) : value_(value) { ++alive; }
  Probe(const Probe& other) : CVolObject(other), value_(other.value_) { ++alive; }
  ~Probe() override {
    --alive;
    value_ = -1;
  }
  static const CVolClassInfo& ClassInfo() {
    static const CVolClassInfo info = MakeClassInfo([]() -> CVolObject* { return new Probe(); }, "rg_test::rg_probe");
    return info;
  }
  const CVolClassInfo& GetClassInfo() const override { return ClassInfo(); }
  bool IsEqual(const CVolObject& other) const override {
    return HeaderEquals(other) && value_ == static_cast<const Probe&>(other).value_;
  }
  Probe* Clone() const override { return new Probe(*this); }
  void GetDebugText(CWString& out, int32_t maxItems) const override { out.AppendFormat(L"probe %d/%d", value_, maxItems); }
  int Value() const { return value_; }

 private:
  int value_;
};
int Probe::alive = 0;

CVolObjectArray MakeProbes(int count) {
  CVolObjectArray list;
  for (int i = 0; i < count; ++i) list.Add(new Probe(i));
  return list;
}

// "0x" and the address in upper-case hexadecimal, made here without the system's formatter.
std::wstring AddressText(const void* address) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)));
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

// "\r\n<k>. 对象输出类名: "<name>", 地址: <address>"
std::wstring MemberLineHead(int k, const std::wstring& name, const void* address) {
  return L"\r\n" + std::to_wstring(k) + L". \u5BF9\u8C61\u8F93\u51FA\u7C7B\u540D: \"" + name + L"\", \u5730\u5740: " +
         AddressText(address);
}
const std::wstring kNullMark = L", \u4E3A\u7A7A\u5BF9\u8C61";      // ", 为空对象"
const std::wstring kContent = L", \u5185\u5BB9:\r\n";             // ", 内容:\r\n"

int CountMemberLines(const std::wstring& text) {
  int lines = 0;
  for (size_t at = text.find(L". \u5BF9\u8C61"); at != std::wstring::npos; at = text.find(L". \u5BF9\u8C61", at + 1)) {
    ++lines;
  }
  return lines;
}

TEST(ObjectArray, ListingOfSixtyFiveMembers) {
  struct Case {
    int32_t maxItems;
    std::wstring header;
    int lines;
  };
  const Case cases[] = {
      {0, PartListingHeader(65, 64, 1), 64},
      {-1, FullListingHeader(65), 65},
      {65, FullListingHeader(65), 65},
      {64, PartListingHeader(65, 64, 1), 64},
      {3, PartListingHeader(65, 3, 62), 3},
      {66, FullListingHeader(65), 65},
  };
  const CVolObjectArray list = MakeProbes(65);
  for (const Case& c : cases) {
    CWString out;
    list.GetDebugText(out, c.maxItems);
    const std::wstring text = out.GetText();
    EXPECT_EQ(text.substr(0, text.find(L"\r\n")), c.header) << c.maxItems;
    EXPECT_EQ(CountMemberLines(text), c.lines) << c.maxItems;
    // The last line listed is that of member number lines, and its content got the same limit.
    const std::wstring last = MemberLineHead(c.lines, L"rg_test::rg_probe", list.GetAt(c.lines - 1)) + kContent +
                              L"probe " + std::to_wstring(c.lines - 1) + L"/" + std::to_wstring(c.maxItems);
    EXPECT_EQ(text.substr(text.size() - last.size()), last) << c.maxItems << " " << Printable(text.substr(text.size() - 80));
  }
}

TEST(ObjectArray, MemberLinesInFull) {
  CVolObjectArray list;
  CVolBoxedInt32* number = new CVolBoxedInt32(7);
  CVolPoint* point = new CVolPoint(3, -4);
  point->SetNullObject(true);
  CVolObjectArray* inner = new CVolObjectArray(MakeProbes(4));
  list.Add(number);
  list.Add(point);
  list.Add(inner);
  CWString out;
  // The limit of 3 lists the whole outer list but only part of the inner one.
  list.GetDebugText(out, 3);
  const std::wstring expected =
      FullListingHeader(3) + MemberLineHead(1, L"rg_n1::rg_n2309", number) + kContent + L"7" +
      MemberLineHead(2, L"rg_n1::rg_n3268", point) + kNullMark + kContent +
      L"{ \u6A2A\u5411\u4F4D\u7F6E: 3; \u7EB5\u5411\u4F4D\u7F6E: -4 }" +
      MemberLineHead(3, L"CVolObjectArray", inner) + kContent + PartListingHeader(4, 3, 1) +
      MemberLineHead(1, L"rg_test::rg_probe", inner->GetAt(0)) + kContent + L"probe 0/3" +
      MemberLineHead(2, L"rg_test::rg_probe", inner->GetAt(1)) + kContent + L"probe 1/3" +
      MemberLineHead(3, L"rg_test::rg_probe", inner->GetAt(2)) + kContent + L"probe 2/3";
  EXPECT_EQ(std::wstring(out.GetText()), expected) << Printable(out.GetText());
}

TEST(ObjectArray, OwnsItsMembers) {
  const int before = Probe::alive;
  {
    CVolObjectArray list = MakeProbes(4);
    EXPECT_EQ(Probe::alive, before + 4);
    EXPECT_FALSE(list.Add(nullptr));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetAt(4), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
  }
  EXPECT_EQ(Probe::alive, before);

  CVolObjectArray list = MakeProbes(2);
  list.SetFlags(1);
  list.SetTag(9);
  list.Reset();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetFlags(), 0u);
  EXPECT_EQ(list.GetTag(), 0u);
  EXPECT_EQ(Probe::alive, before);
}

TEST(ObjectArray, CloneHoldsClonesAndDeletingItLeavesTheSourceIntact) {
  const int before = Probe::alive;
  CVolObjectArray source = MakeProbes(3);
  source.SetTag(5);
  CVolObject* clone = source.Clone();
  ASSERT_EQ(&clone->GetClassInfo(), &CVolObjectArray::ClassInfo());
  const CVolObjectArray& copy = *static_cast<CVolObjectArray*>(clone);
  ASSERT_EQ(copy.GetCount(), 3);
  for (int64_t i = 0; i < 3; ++i) EXPECT_NE(copy.GetAt(i), source.GetAt(i)) << i;
  EXPECT_TRUE(copy.IsEqual(source));
  EXPECT_EQ(copy.GetTag(), 5u);
  EXPECT_EQ(Probe::alive, before + 6);

  CVolObject::Delete(clone);
  EXPECT_EQ(Probe::alive, before + 3);
  for (int64_t i = 0; i < 3; ++i) EXPECT_EQ(static_cast<Probe*>(source.GetAt(i))->Value(), i);
  EXPECT_TRUE(source.IsEqual(MakeProbes(3)) == false);  // the tag differs
  source.SetTag(0);
  EXPECT_TRUE(source.IsEqual(MakeProbes(3)));
}

TEST(ObjectArray, Assignment) {
  const int before = Probe::alive;
  CVolObjectArray target = MakeProbes(2);
  CVolObjectArray source = MakeProbes(1);
  source.SetNullObject(true);
  EXPECT_TRUE(target.AssignFrom(source));
  EXPECT_TRUE(target.IsEqual(source));
  EXPECT_TRUE(target.IsNullObject());
  EXPECT_NE(target.GetAt(0), source.GetAt(0));
  EXPECT_EQ(Probe::alive, before + 2);

  // Onto itself: the same members stay.
  CVolObject* member = target.GetAt(0);
  EXPECT_TRUE(target.AssignFrom(target));
  EXPECT_EQ(target.GetCount(), 1);
  EXPECT_EQ(target.GetAt(0), member);

  // From a list that is itself a member of the target: the clones are taken before it goes.
  CVolObjectArray outer;
  CVolObjectArray* inner = new CVolObjectArray(MakeProbes(2));
  outer.Add(new Probe(9));
  outer.Add(inner);
  EXPECT_TRUE(outer.AssignFrom(*inner));
  ASSERT_EQ(outer.GetCount(), 2);
  EXPECT_EQ(static_cast<Probe*>(outer.GetAt(1))->Value(), 1);

  // Only object lists go into an object list.
  CVolPoint point;
  EXPECT_FALSE(target.AssignFrom(point));
  EXPECT_EQ(target.GetCount(), 1);
  EXPECT_TRUE(target.IsKindOf(CVolObject::ClassInfo()));
  EXPECT_FALSE(target.IsKindOf(CVolPoint::ClassInfo()));
  EXPECT_STREQ(target.GetClassInfo().name, "CVolObjectArray");
}

TEST(ObjectArray, Equality) {
  struct Case {
    const char* what;
    CVolObjectArray a;
    CVolObjectArray b;
    bool equal;
  };
  CVolObjectArray reordered;
  reordered.Add(new Probe(1));
  reordered.Add(new Probe(0));
  CVolObjectArray mixed;
  mixed.Add(new Probe(0));
  mixed.Add(new CVolBoxedInt32(1));
  const Case cases[] = {
      {"both empty", CVolObjectArray(), CVolObjectArray(), true},
      {"same members", MakeProbes(2), MakeProbes(2), true},
      {"other count", MakeProbes(2), MakeProbes(3), false},
      {"other order", MakeProbes(2), reordered, false},
      {"other class of member", MakeProbes(2), mixed, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.a.IsEqual(c.b), c.equal) << c.what;
}

TEST(ObjectArray, StreamsCarryNothing) {
  CVolObjectArray list = MakeProbes(2);
  MemoryStream out;
  list.SaveTo(&out);
  EXPECT_TRUE(out.Bytes().empty());
  MemoryStream in(CountBytes(5));
  list.LoadFrom(&in);
  EXPECT_EQ(in.reads, 0);
  EXPECT_EQ(list.GetCount(), 2);
}

}  // namespace
