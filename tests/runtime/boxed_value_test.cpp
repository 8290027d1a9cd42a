// The boxed base values: their class records and the base-type table, equality (with the tolerance
// of doubles), debug texts, stream forms, and the object protocol.
#include "MemoryStream.h"
#include "TestText.h"
#include "runtime/AppInstance.h"
#include "runtime/BaseTypeTable.h"
#include "runtime/VolBoxed.h"
#include "runtime/VolValueBase.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// Deletes the framework objects a test allocated.
struct Owned {
  CVolObject* object;
  explicit Owned(CVolObject* o) : object(o) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { CVolObject::Delete(object); }
};

TEST(BaseTypeTable, HoldsTheEightBoxedRecordsInOrder) {
  const char* const names[kBaseTypeCount] = {"rg_n1::rg_n2303", "rg_n1::rg_n2305", "rg_n1::rg_n2307",
                                             "rg_n1::rg_n2309", "rg_n1::rg_n2311", "rg_n1::rg_n2313",
                                             "rg_n1::rg_n2315", "rg_n1::rg_n2317"};
  const CVolClassInfo* const classes[kBaseTypeCount] = {
      &CVolBoxedInt8::ClassInfo(),  &CVolBoxedInt16::ClassInfo(),    &CVolBoxedChar::ClassInfo(),
      &CVolBoxedInt32::ClassInfo(), &CVolBoxedInt64::ClassInfo(),    &CVolBoxedInt64Alt::ClassInfo(),
      &CVolBoxedDouble::ClassInfo(), &CVolBoxedInt32Alt::ClassInfo()};
  const BaseTypeRows& rows = BaseTypeTable();
  EXPECT_EQ(&BaseTypeTable(), &rows);
  for (int i = 0; i < kBaseTypeCount; ++i) {
    const CVolClassInfo& row = *rows[i];
    EXPECT_EQ(&row, classes[i]) << i;
    EXPECT_STREQ(row.name, names[i]) << i;
    EXPECT_EQ(row.length, std::strlen(names[i])) << i;
    EXPECT_EQ(row.hash, ClassNameHash(names[i])) << i;
    // Every row makes an instance of its class, from the pool, that knows its base.
    Owned made(row.factory());
    EXPECT_EQ(&made.object->GetClassInfo(), &row) << i;
    EXPECT_TRUE(g_appInstance.pool.Contains(made.object)) << i;
    EXPECT_TRUE(made.object->IsKindOf(CVolBaseDataType::ClassInfo())) << i;
    EXPECT_TRUE(made.object->IsKindOf(CVolObject::ClassInfo())) << i;
    EXPECT_FALSE(made.object->IsKindOf(CVolValueBase::ClassInfo())) << i;
    for (int j = 0; j < kBaseTypeCount; ++j) {
      EXPECT_EQ(SameClass(row, *rows[j]), i == j) << i << " " << j;
      EXPECT_EQ(made.object->IsKindOf(*rows[j]), i == j) << i << " " << j;
    }
  }
}

TEST(BoxedValue, TheBaseClassHasNoValue) {
  CVolBaseDataType base;
  EXPECT_EQ(base.GetValuePtr(), nullptr);
  EXPECT_STREQ(base.GetClassInfo().name, "CVolBaseDataType");
  Owned clone(base.Clone());
  EXPECT_EQ(&clone.object->GetClassInfo(), &CVolBaseDataType::ClassInfo());
  EXPECT_TRUE(base.IsKindOf(CVolObject::ClassInfo()));
}

TEST(BoxedValue, ValuePointerReachesTheValue) {
  CVolBoxedInt32 boxed(5);
  *static_cast<int32_t*>(boxed.GetValuePtr()) = -9;
  EXPECT_EQ(boxed.GetValue(), -9);
  CVolBoxedDouble d(0.25);
  EXPECT_EQ(*static_cast<double*>(d.GetValuePtr()), 0.25);
  CVolBaseDataType& asBase = d;
  EXPECT_EQ(asBase.GetValuePtr(), static_cast<void*>(static_cast<double*>(d.GetValuePtr())));
}

TEST(BoxedValue, Equality) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* what;
    CVolObject* a;
    CVolObject* b;
    bool equal;
  };
  const std::vector<Case> cases = {
      {"1.0 ~ 1.0000005", new CVolBoxedDouble(1.0), new CVolBoxedDouble(1.0000005), true},
      {"1.0 ~ 1.00001", new CVolBoxedDouble(1.0), new CVolBoxedDouble(1.00001), false},
      {"1.00001 ~ 1.0", new CVolBoxedDouble(1.00001), new CVolBoxedDouble(1.0), false},
      {"NaN ~ NaN", new CVolBoxedDouble(nan), new CVolBoxedDouble(nan), false},
      {"NaN ~ 0", new CVolBoxedDouble(nan), new CVolBoxedDouble(0.0), false},
      {"-0 ~ 0", new CVolBoxedDouble(-0.0), new CVolBoxedDouble(0.0), true},
      {"int8 same", new CVolBoxedInt8(-3), new CVolBoxedInt8(-3), true},
      {"int8 differ", new CVolBoxedInt8(-3), new CVolBoxedInt8(3), false},
      {"int16 differ", new CVolBoxedInt16(256), new CVolBoxedInt16(0), false},
      {"char same", new CVolBoxedChar(L'x'), new CVolBoxedChar(L'x'), true},
      {"char case", new CVolBoxedChar(L'x'), new CVolBoxedChar(L'X'), false},
      {"int64 high bits", new CVolBoxedInt64(INT64_C(1) << 40), new CVolBoxedInt64(0), false},
      {"int64 alt same", new CVolBoxedInt64Alt(7), new CVolBoxedInt64Alt(7), true},
      {"int32 ~ int32 alt", new CVolBoxedInt32(7), new CVolBoxedInt32Alt(7), false},
      {"int64 ~ int64 alt", new CVolBoxedInt64(7), new CVolBoxedInt64Alt(7), false},
      {"int32 ~ int16", new CVolBoxedInt32(7), new CVolBoxedInt16(7), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.a->IsEqual(*c.b), c.equal) << c.what;
    CVolObject::Delete(c.a);
    CVolObject::Delete(c.b);
  }
}

TEST(BoxedValue, EqualityAlsoComparesNullMarkAndTag) {
  CVolBoxedInt32 a(1);
  CVolBoxedInt32 b(1);
  EXPECT_TRUE(a.IsEqual(b));
  b.SetTag(2);
  EXPECT_FALSE(a.IsEqual(b));
  b.SetTag(0);
  b.SetNullObject(true);
  EXPECT_FALSE(a.IsEqual(b));
}

TEST(BoxedValue, DebugTexts) {
  struct Case {
    CVolObject* boxed;
    std::wstring text;
  };
  const std::vector<Case> cases = {
      {new CVolBoxedInt8(static_cast<int8_t>(0xFF)), L"-1"},
      {new CVolBoxedInt8(127), L"127"},
      {new CVolBoxedInt16(-32768), L"-32768"},
      {new CVolBoxedChar(L'A'), L"A"},
      {new CVolBoxedChar(0x4E2D), L"\u4E2D"},
      {new CVolBoxedChar(0), L""},
      {new CVolBoxedInt32(std::numeric_limits<int32_t>::min()), L"-2147483648"},
      {new CVolBoxedInt32Alt(-5), L"-5"},
      {new CVolBoxedInt64(std::numeric_limits<int64_t>::min()), L"-9223372036854775808"},
      {new CVolBoxedInt64(INT64_C(1234567890123)), L"1234567890123"},
      {new CVolBoxedInt64Alt(0), L"0"},
      {new CVolBoxedDouble(0.0000001), L"0"},
      {new CVolBoxedDouble(0.5), L"0.5"},
      {new CVolBoxedDouble(-2.25), L"-2.25"},
      {new CVolBoxedDouble(1e20), L"1E+20"},
  };
  for (const Case& c : cases) {
    // The value's text replaces whatever the output held.
    CWString out(L"old");
    c.boxed->GetDebugText(out, 0);
    EXPECT_EQ(std::wstring(out.GetText()), c.text) << c.boxed->GetClassInfo().name << " " << Printable(c.text);
    CVolObject::Delete(c.boxed);
  }
}

TEST(BoxedValue, StreamBytesAreLittleEndianAndRoundTrip) {
  struct Case {
    CVolObject* boxed;
    std::vector<unsigned char> bytes;
  };
  const std::vector<Case> cases = {
      {new CVolBoxedInt8(-2), {0xFE}},
      {new CVolBoxedInt16(0x1234), {0x34, 0x12}},
      {new CVolBoxedChar(0x4E2D), {0x2D, 0x4E}},
      {new CVolBoxedInt32(0x01020304), {0x04, 0x03, 0x02, 0x01}},
      {new CVolBoxedInt32Alt(-1), {0xFF, 0xFF, 0xFF, 0xFF}},
      {new CVolBoxedInt64(INT64_C(0x0102030405060708)), {8, 7, 6, 5, 4, 3, 2, 1}},
      {new CVolBoxedInt64Alt(-2), {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {new CVolBoxedDouble(1.5), {0, 0, 0, 0, 0, 0, 0xF8, 0x3F}},
  };
  for (const Case& c : cases) {
    const char* name = c.boxed->GetClassInfo().name;
    MemoryStream out;
    c.boxed->SaveTo(&out);
    EXPECT_EQ(out.status, 0) << name;
    EXPECT_EQ(out.Bytes(), c.bytes) << name;

    MemoryStream in(c.bytes);
    Owned loaded(c.boxed->CreateNew());
    loaded.object->LoadFrom(&in);
    EXPECT_EQ(in.status, 0) << name;
    EXPECT_TRUE(loaded.object->IsEqual(*c.boxed)) << name;
    CVolObject::Delete(c.boxed);
  }
}

TEST(BoxedValue, AShortReadSetsMinusThreeAndKeepsTheValue) {
  std::vector<CVolObject*> boxes = {new CVolBoxedInt8(9),          new CVolBoxedInt16(9), new CVolBoxedChar(9),
                                    new CVolBoxedInt32(9),         new CVolBoxedInt64(9), new CVolBoxedInt64Alt(9),
                                    new CVolBoxedDouble(9),        new CVolBoxedInt32Alt(9)};
  for (CVolObject* boxed : boxes) {
    const char* name = boxed->GetClassInfo().name;
    Owned before(boxed->Clone());
    // One byte fewer than the value needs (nothing at all for the 8-bit value).
    MemoryStream out;
    boxed->SaveTo(&out);
    std::vector<unsigned char> shortBytes(out.Bytes().begin(), out.Bytes().end() - 1);
    for (auto& b : shortBytes) b ^= 0x5A;
    MemoryStream in(shortBytes);
    boxed->LoadFrom(&in);
    EXPECT_EQ(in.status, IVolStream::kReadFailed) << name;
    EXPECT_TRUE(boxed->IsEqual(*before.object)) << name;
    CVolObject::Delete(boxed);
  }
}

TEST(BoxedValue, NothingHappensOnAnAbsentOrFailedStream) {
  CVolBoxedInt32 boxed(3);
  boxed.SaveTo(nullptr);
  boxed.LoadFrom(nullptr);
  MemoryStream failed(CountBytes(77));
  failed.status = IVolStream::kWriteFailed;
  boxed.SaveTo(&failed);
  boxed.LoadFrom(&failed);
  EXPECT_EQ(failed.reads, 0);
  EXPECT_EQ(failed.writes, 0);
  EXPECT_EQ(boxed.GetValue(), 3);
  EXPECT_EQ(failed.status, IVolStream::kWriteFailed);

  MemoryStream full;
  full.writeLimit = 2;
  boxed.SaveTo(&full);
  EXPECT_EQ(full.status, IVolStream::kWriteFailed);
}

TEST(BoxedValue, CloneAssignAndReset) {
  CVolBoxedDouble source(2.5);
  source.SetTag(11);
  source.SetFlags(CVolObject::kNullObject | 4);
  Owned clone(source.Clone());
  EXPECT_EQ(&clone.object->GetClassInfo(), &CVolBoxedDouble::ClassInfo());
  EXPECT_TRUE(g_appInstance.pool.Contains(clone.object));
  EXPECT_EQ(clone.object->GetFlags(), source.GetFlags());
  EXPECT_EQ(static_cast<CVolBoxedDouble*>(clone.object)->GetValue(), 2.5);

  CVolBoxedDouble target(-1.0);
  EXPECT_TRUE(target.AssignFrom(source));
  EXPECT_EQ(target.GetValue(), 2.5);
  EXPECT_EQ(target.GetTag(), 11u);
  EXPECT_TRUE(target.IsNullObject());

  // A namesake of another row is another class: nothing changes.
  CVolBoxedInt32 int32(4);
  CVolBoxedInt32Alt alt(8);
  alt.SetTag(1);
  EXPECT_FALSE(int32.AssignFrom(alt));
  EXPECT_FALSE(alt.AssignFrom(int32));
  EXPECT_EQ(int32.GetValue(), 4);
  EXPECT_EQ(alt.GetValue(), 8);
  EXPECT_EQ(int32.GetTag(), 0u);

  // Any boxed value goes into a base-class variable.
  CVolBaseDataType base;
  EXPECT_TRUE(base.AssignFrom(alt));
  EXPECT_EQ(base.GetTag(), 1u);

  target.Reset();
  EXPECT_EQ(target.GetValue(), 0.0);
  EXPECT_EQ(target.GetFlags(), 0u);
  EXPECT_EQ(target.GetTag(), 0u);
  Owned fresh(source.CreateNew());
  EXPECT_TRUE(fresh.object->IsEqual(target));
}

}  // namespace
