// Point and size: their texts, equality, stream forms, and their place under the composite-value base.
#include "MemoryStream.h"
#include "TestText.h"
#include "runtime/VolPoint.h"
#include "runtime/VolSize.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

// "{ 横向位置: " x "; 纵向位置: " y " }"
std::wstring PointText(const std::wstring& x, const std::wstring& y) {
  return L"{ \u6A2A\u5411\u4F4D\u7F6E: " + x + L"; \u7EB5\u5411\u4F4D\u7F6E: " + y + L" }";
}

// "{ 宽度: " width "; 高度: " height " }"
std::wstring SizeText(const std::wstring& width, const std::wstring& height) {
  return L"{ \u5BBD\u5EA6: " + width + L"; \u9AD8\u5EA6: " + height + L" }";
}

TEST(PointAndSize, DebugTexts) {
  const int32_t min = std::numeric_limits<int32_t>::min();
  const int32_t max = std::numeric_limits<int32_t>::max();
  struct Case {
    const CVolObject& value;
    std::wstring text;
  };
  const CVolPoint p1(3, -4);
  const CVolPoint p2(0, 0);
  const CVolPoint p3(min, max);
  const CVolSize s1(640, 480);
  const CVolSize s2(-1, 0);
  const CVolSize s3(max, min);
  for (const Case& c : {Case{p1, PointText(L"3", L"-4")}, Case{p2, PointText(L"0", L"0")},
                        Case{p3, PointText(L"-2147483648", L"2147483647")}, Case{s1, SizeText(L"640", L"480")},
                        Case{s2, SizeText(L"-1", L"0")}, Case{s3, SizeText(L"2147483647", L"-2147483648")}}) {
    // The text replaces what the output held.
    CWString out(L"previous");
    c.value.GetDebugText(out, 0);
    EXPECT_EQ(std::wstring(out.GetText()), c.text) << Printable(out.GetText());
  }
}

TEST(PointAndSize, Equality) {
  struct Case {
    const char* what;
    const CVolObject& a;
    const CVolObject& b;
    bool equal;
  };
  const CVolPoint point(1, 2);
  const CVolPoint samePoint(1, 2);
  const CVolPoint otherX(9, 2);
  const CVolPoint otherY(1, 9);
  const CVolPoint swapped(2, 1);
  CVolPoint tagged(1, 2);
  tagged.SetTag(5);
  CVolPoint marked(1, 2);
  marked.SetNullObject(true);
  const CVolSize size(1, 2);
  const CVolSize sameSize(1, 2);
  const CVolSize otherHeight(1, 3);
  for (const Case& c : {Case{"same point", point, samePoint, true}, Case{"x differs", point, otherX, false},
                        Case{"y differs", point, otherY, false}, Case{"swapped", point, swapped, false},
                        Case{"tag differs", point, tagged, false}, Case{"mark differs", point, marked, false},
                        Case{"same size", size, sameSize, true}, Case{"height differs", size, otherHeight, false},
                        Case{"point and size", point, size, false}, Case{"size and point", size, point, false}}) {
    EXPECT_EQ(c.a.IsEqual(c.b), c.equal) << c.what;
  }
}

TEST(PointAndSize, StreamFormIsTwoLittleEndianNumbers) {
  const CVolPoint point(1, -2);
  MemoryStream out;
  point.SaveTo(&out);
  const std::vector<unsigned char> bytes = {0x01, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(out.Bytes(), bytes);
  CVolPoint loadedPoint;
  MemoryStream in(bytes);
  loadedPoint.LoadFrom(&in);
  EXPECT_EQ(in.status, 0);
  EXPECT_TRUE(loadedPoint.IsEqual(point));

  const CVolSize size(800, 600);
  MemoryStream sizeOut;
  size.SaveTo(&sizeOut);
  EXPECT_EQ(sizeOut.Bytes(), Join({CountBytes(800), CountBytes(600)}));
  CVolSize loadedSize;
  MemoryStream sizeIn(sizeOut.Bytes());
  loadedSize.LoadFrom(&sizeIn);
  EXPECT_TRUE(loadedSize.IsEqual(size));
}

TEST(PointAndSize, AShortReadSetsMinusThreeAndStops) {
  // Only the first number arrives whole: it is loaded, the second stays.
  CVolPoint point(7, 8);
  MemoryStream partly(Join({CountBytes(5), {1, 2}}));
  point.LoadFrom(&partly);
  EXPECT_EQ(partly.status, IVolStream::kReadFailed);
  EXPECT_EQ(point.GetX(), 5);
  EXPECT_EQ(point.GetY(), 8);

  // The first number is short: nothing further is read.
  CVolSize size(7, 8);
  MemoryStream tooShort(std::vector<unsigned char>{1, 2});
  size.LoadFrom(&tooShort);
  EXPECT_EQ(tooShort.status, IVolStream::kReadFailed);
  EXPECT_EQ(tooShort.reads, 1);
  EXPECT_EQ(size.GetWidth(), 7);
  EXPECT_EQ(size.GetHeight(), 8);

  // A failed write stops the save after the first number.
  MemoryStream full;
  full.writeLimit = 3;
  size.SaveTo(&full);
  EXPECT_EQ(full.status, IVolStream::kWriteFailed);
  EXPECT_EQ(full.writes, 1);
}

TEST(PointAndSize, ClassesAndAssignment) {
  CVolPoint point(1, 2);
  CVolSize size(3, 4);
  EXPECT_STREQ(point.GetClassInfo().name, "rg_n1::rg_n3268");
  EXPECT_STREQ(size.GetClassInfo().name, "rg_n1::rg_n3394");
  EXPECT_STREQ(CVolValueBase::ClassInfo().name, "rg_n1::rg_n2152");
  for (const CVolObject* value : {static_cast<const CVolObject*>(&point), static_cast<const CVolObject*>(&size)}) {
    EXPECT_TRUE(value->IsKindOf(CVolValueBase::ClassInfo()));
    EXPECT_TRUE(value->IsKindOf(CVolObject::ClassInfo()));
  }
  EXPECT_FALSE(point.IsKindOf(CVolSize::ClassInfo()));
  EXPECT_FALSE(size.IsKindOf(CVolPoint::ClassInfo()));

  EXPECT_FALSE(point.AssignFrom(size));
  EXPECT_EQ(point.GetX(), 1);
  CVolPoint source(-5, 6);
  source.SetTag(3);
  EXPECT_TRUE(point.AssignFrom(source));
  EXPECT_TRUE(point.IsEqual(source));

  CVolObject* clone = size.Clone();
  EXPECT_EQ(&clone->GetClassInfo(), &CVolSize::ClassInfo());
  EXPECT_TRUE(clone->IsEqual(size));
  CVolObject::Delete(clone);

  point.Reset();
  EXPECT_TRUE(point.IsEqual(CVolPoint()));
}

}  // namespace
