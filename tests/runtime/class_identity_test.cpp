// Class records and the object protocol of the root class: identity by name, kind tests along the
// class chain, assignment only from the own class or a subclass, reset, destroy and delete.
#include "runtime/AppInstance.h"
#include "runtime/ClassInfo.h"
#include "runtime/VolException.h"
#include "runtime/VolMem.h"
#include "runtime/VolObject.h"
#include "runtime/VolRefObject.h"
#include "runtime/WConstString.h"
#include "runtime/WString.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// A subclass that counts its change notifications and destructor runs.
class Probe : public CVolObject {
 public:
  static int destructorRuns;
  int beforeChangeCalls = 0;

  ~Probe() override { ++destructorRuns; }
  static const CVolClassInfo& ClassInfo() {
    static const CVolClassInfo info = MakeClassInfo([]() -> CVolObject* { return new Probe(); }, "rg_test::rg_n1");
    return info;
  }
  const CVolClassInfo& GetClassInfo() const override { return ClassInfo(); }
  bool IsKindOf(const CVolClassInfo& info) const override {
    return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
  }
  void OnBeforeChange() override { ++beforeChangeCalls; }
};
int Probe::destructorRuns = 0;

TEST(ClassNameHash, MatchesTheKnownValues) {
  struct Case {
    const char* name;
    uint32_t hash;
  };
  for (const Case& c : {Case{"CVolObject", 175137011u}, Case{"CWString", 6943153u}, Case{"CVolMem", 1401039u},
                        Case{"rg_n1::rg_n3268", 319473969u}}) {
    EXPECT_EQ(ClassNameHash(c.name), c.hash) << c.name;
  }
}

TEST(ClassNameHash, TakesCharactersAsSignedBytesAndIsAlwaysOddAndPositive) {
  // 5 * 0 + (-1) wraps to all ones; | 1 keeps it, bit 31 is cleared.
  EXPECT_EQ(ClassNameHash("\xFF"), 0x7FFFFFFFu);
  EXPECT_EQ(ClassNameHash(""), 1u);
  EXPECT_EQ(ClassNameHash("AB"), (5u * 65u + 66u) | 1u);
  for (const char* name : {"a", "b", "rg_n10458::CVolWinForm", "\x80\x81\x82"}) {
    const uint32_t h = ClassNameHash(name);
    EXPECT_EQ(h & 1u, 1u) << name;
    EXPECT_EQ(h & 0x80000000u, 0u) << name;
  }
}

TEST(SameClass, RecognisesRecordsByAddressOrByName) {
  const CVolClassInfo& own = CVolObject::ClassInfo();
  char copiedName[] = "CVolObject";
  const CVolClassInfo twin = MakeClassInfo(nullptr, copiedName);
  EXPECT_NE(&twin, &own);
  EXPECT_TRUE(SameClass(twin, own));
  EXPECT_TRUE(SameClass(own, own));

  const CVolClassInfo other = MakeClassInfo(nullptr, "CVolMem");
  EXPECT_FALSE(SameClass(other, own));
  // Only the first length bytes count; a record claiming the wrong hash never matches.
  CVolClassInfo wrongHash = twin;
  wrongHash.hash ^= 2;
  EXPECT_FALSE(SameClass(wrongHash, own));
  CVolClassInfo prefix = MakeClassInfo(nullptr, "CVolObjectX");
  prefix.length = own.length;
  prefix.hash = own.hash;
  EXPECT_TRUE(SameClass(prefix, own));

  const CVolClassTag tagA = MakeClassTag("CRefObject");
  const CVolClassTag tagB = MakeClassTag("CRefObject");
  const CVolClassTag tagC = MakeClassTag("CMfcWndObject");
  EXPECT_TRUE(SameClass(tagA, tagB));
  EXPECT_FALSE(SameClass(tagA, tagC));
}

TEST(ClassInfo, RecordsCarryTheRuntimeNamesAndFactories) {
  struct Case {
    const CVolClassInfo& info;
    const char* name;
  };
  for (const Case& c : {Case{CVolObject::ClassInfo(), "CVolObject"}, Case{CVolMem::ClassInfo(), "CVolMem"},
                        Case{CWString::ClassInfo(), "CWString"}, Case{CWConstString::ClassInfo(), "CWConstString"},
                        Case{CVolRefObject::ClassInfo(), "CVolRefObject"},
                        Case{CVolException::ClassInfo(), "CVolException"}}) {
    EXPECT_STREQ(c.info.name, c.name);
    EXPECT_EQ(c.info.length, std::string(c.name).size());
    EXPECT_EQ(c.info.hash, ClassNameHash(c.name));
    CVolObject* made = c.info.factory();
    ASSERT_NE(made, nullptr) << c.name;
    EXPECT_TRUE(g_appInstance.pool.Contains(made)) << c.name;
    EXPECT_EQ(&made->GetClassInfo(), &c.info) << c.name;
    CVolObject* fresh = made->CreateNew();
    EXPECT_EQ(&fresh->GetClassInfo(), &c.info) << c.name;
    EXPECT_TRUE(fresh->IsEqual(*made)) << c.name;
    CVolObject::Delete(fresh);
    CVolObject::Delete(made);
  }
}

TEST(ClassInfo, FirstRequestsFromSeveralThreadsShareOneRecord) {
  std::vector<const CVolClassInfo*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&seen, i] { seen[i] = &Probe::ClassInfo(); });
  }
  for (auto& t : threads) t.join();
  for (const CVolClassInfo* info : seen) EXPECT_EQ(info, &Probe::ClassInfo());
}

TEST(IsKindOf, WalksFromTheOwnClassToCVolObject) {
  const CWConstString literal(L"x");
  const CWString text;
  EXPECT_TRUE(literal.IsKindOf(CWConstString::ClassInfo()));
  EXPECT_TRUE(literal.IsKindOf(CWString::ClassInfo()));
  EXPECT_TRUE(literal.IsKindOf(CVolObject::ClassInfo()));
  EXPECT_FALSE(text.IsKindOf(CWConstString::ClassInfo()));
  EXPECT_TRUE(text.IsKindOf(CVolObject::ClassInfo()));
  EXPECT_FALSE(text.IsKindOf(CVolMem::ClassInfo()));
  // By name: a record of another address with the same name is the same class.
  const CVolClassInfo twin = MakeClassInfo(nullptr, "CWString");
  EXPECT_TRUE(literal.IsKindOf(twin));
}

TEST(AssignFrom, AcceptsTheOwnClassOrASubclassOnly) {
  CWConstString literal(L"lit");
  literal.SetTag(7);
  CWString text(L"text");
  EXPECT_TRUE(text.AssignFrom(literal));
  EXPECT_STREQ(text.GetText(), L"lit");
  EXPECT_EQ(text.GetTag(), 7u);

  CWConstString target(L"keep");
  CWString source(L"other");
  EXPECT_FALSE(target.AssignFrom(source));
  EXPECT_STREQ(target.GetText(), L"keep");

  // An unrelated class: nothing changes and the change hook is not called.
  Probe probe;
  probe.SetTag(3);
  CVolMem bytes;
  EXPECT_FALSE(probe.AssignFrom(bytes));
  EXPECT_EQ(probe.beforeChangeCalls, 0);
  EXPECT_EQ(probe.GetTag(), 3u);

  // A base-class variable takes any framework object.
  CVolObject plain;
  bytes.SetTag(9);
  bytes.SetNullObject(true);
  EXPECT_TRUE(plain.AssignFrom(bytes));
  EXPECT_EQ(plain.GetTag(), 9u);
  EXPECT_TRUE(plain.IsNullObject());
}

TEST(AssignFrom, CallsTheChangeHookOnceBeforeCopying) {
  Probe target;
  Probe source;
  source.SetTag(42);
  EXPECT_TRUE(target.AssignFrom(source));
  EXPECT_EQ(target.beforeChangeCalls, 1);
  EXPECT_EQ(target.GetTag(), 42u);
}

TEST(IsEqual, ComparesClassNullMarkAndTag) {
  CVolObject a;
  CVolObject b;
  EXPECT_TRUE(a.IsEqual(b));
  b.SetNullObject(true);
  EXPECT_FALSE(a.IsEqual(b));
  b.SetNullObject(false);
  b.SetTag(1);
  EXPECT_FALSE(a.IsEqual(b));
  b.SetTag(0);
  b.SetFlags(2);  // bits other than the null mark belong to subclasses and are not compared here
  EXPECT_TRUE(a.IsEqual(b));

  Probe probe;
  EXPECT_FALSE(a.IsEqual(probe));
  EXPECT_FALSE(probe.IsEqual(a));
}

TEST(Reset, CallsTheChangeHookExactlyOnceAndClearsFlagsAndTag) {
  Probe probe;
  probe.SetFlags(5);
  probe.SetTag(6);
  probe.Reset();
  EXPECT_EQ(probe.beforeChangeCalls, 1);
  EXPECT_EQ(probe.GetFlags(), 0u);
  EXPECT_EQ(probe.GetTag(), 0u);
}

TEST(Destroy, WithoutFlagRunsTheDestructorButKeepsTheStorage) {
  void* storage = PoolAllocOrExit(sizeof(Probe));
  Probe* probe = new (storage) Probe();
  const int before = Probe::destructorRuns;
  probe->Destroy(0);
  EXPECT_EQ(Probe::destructorRuns, before + 1);
  // The block was not given back: the pool hands out another one.
  void* next = PoolAllocOrExit(16);
  EXPECT_NE(next, storage);
  OperatorFree(next);
  OperatorFree(storage);
}

TEST(Destroy, WithFlagOneAlsoReturnsTheStorage) {
  Probe* probe = new Probe();
  void* storage = probe;
  const int before = Probe::destructorRuns;
  probe->Destroy(1);
  EXPECT_EQ(Probe::destructorRuns, before + 1);
  void* next = PoolAllocOrExit(16);
  EXPECT_EQ(next, storage);
  OperatorFree(next);
}

TEST(Delete, IgnoresNullAndDestroysWithFreeing) {
  CVolObject::Delete(nullptr);
  const int before = Probe::destructorRuns;
  CVolObject::Delete(new Probe());
  EXPECT_EQ(Probe::destructorRuns, before + 1);
}

// Probe keeps the root class's Clone and CreateNew: they must still give a Probe, not a CVolObject.
TEST(CloneAndCreateNew, KeepTheClassAndCopyTheHeader) {
  Probe probe;
  probe.SetTag(11);
  probe.SetNullObject(true);

  CVolObject* clone = probe.Clone();
  EXPECT_STREQ(clone->GetClassInfo().name, "rg_test::rg_n1");
  EXPECT_TRUE(clone->IsKindOf(Probe::ClassInfo()));
  EXPECT_TRUE(clone->IsEqual(probe));
  EXPECT_EQ(clone->GetTag(), 11u);
  EXPECT_TRUE(clone->IsNullObject());
  EXPECT_TRUE(g_appInstance.pool.Contains(clone));

  CVolObject* fresh = probe.CreateNew();
  EXPECT_STREQ(fresh->GetClassInfo().name, "rg_test::rg_n1");
  EXPECT_EQ(fresh->GetTag(), 0u);
  EXPECT_FALSE(fresh->IsNullObject());

  const int before = Probe::destructorRuns;
  CVolObject::Delete(clone);
  CVolObject::Delete(fresh);
  EXPECT_EQ(Probe::destructorRuns, before + 2);
}

TEST(GetDebugText, NamesTheClassAndTheAddress) {
  Probe probe;
  char address[32];
  std::snprintf(address, sizeof address, "%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&probe)));
  const std::wstring expectedStart = L"\u65E0\u6CD5\u89E3\u6790\u7684\u5BF9\u8C61\u6570\u636E,"
                                     L"\u5176\u8F93\u51FA\u7C7B\u540D\u4E3A: \"rg_test::rg_n1\", "
                                     L"\u5730\u5740\u4E3A: 0x";
  const std::wstring expected = expectedStart + std::wstring(address, address + std::strlen(address));

  CWString out;
  probe.GetDebugText(out, 0);
  EXPECT_EQ(std::wstring(out.GetText()), expected) << Printable(out.GetText());

  probe.SetNullObject(true);
  CWString marked;
  probe.GetDebugText(marked, 0);
  EXPECT_EQ(std::wstring(marked.GetText()), expected + L", \u4E3A\u7A7A\u5BF9\u8C61");
}

}  // namespace
