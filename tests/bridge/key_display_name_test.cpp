// A stored code shown as the system's key name: what the system is asked (through recording
// stand-ins), then the real system under this Wine, and which shown names parse back to their code.
#include "bridge/KeyCatalogue.h"
#include "bridge/KeyDisplayName.h"
#include "bridge/KeyNameToCode.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring Text(const CWString& s) { return std::wstring(s.GetText()); }

bool RunsUnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Recording stand-ins for MapVirtualKeyW and GetKeyNameTextW; one test at a time owns them.
class KeyDisplayNameTest : public testing::Test {
 protected:
  struct MapCall {
    UINT code;
    UINT mapType;
  };
  struct NameCall {
    LONG lParam;
    int bufferUnits;
    bool bufferZeroed;
  };

  KeyDisplayNameTest() { current_ = this; }
  ~KeyDisplayNameTest() override { current_ = nullptr; }

  static UINT WINAPI FakeMapVirtualKey(UINT code, UINT mapType) {
    current_->mapCalls.push_back({code, mapType});
    return current_->scanOf(code);
  }

  static int WINAPI FakeGetKeyNameText(LONG lParam, LPWSTR buffer, int bufferUnits) {
    bool zeroed = true;
    for (int i = 0; i < bufferUnits; ++i) zeroed = zeroed && buffer[i] == 0;
    current_->nameCalls.push_back({lParam, bufferUnits, zeroed});
    const std::wstring& name = current_->name;
    if (current_->fillWithoutNul) {
      for (int i = 0; i < bufferUnits; ++i) buffer[i] = L'x';
      return bufferUnits;
    }
    for (size_t i = 0; i < name.size(); ++i) buffer[i] = name[i];
    return static_cast<int>(name.size());
  }

  const KeyNameSystemCalls fakeSystem{&FakeMapVirtualKey, &FakeGetKeyNameText};
  UINT (*scanOf)(UINT code) = [](UINT code) -> UINT { return code == 37 ? 0x4B : code == 65 ? 0x1E : 0; };
  std::wstring name = L"Name";
  bool fillWithoutNul = false;
  std::vector<MapCall> mapCalls;
  std::vector<NameCall> nameCalls;

 private:
  static KeyDisplayNameTest* current_;
};

KeyDisplayNameTest* KeyDisplayNameTest::current_ = nullptr;

TEST_F(KeyDisplayNameTest, AsksForTheScanCodeWithTheExtendedMarkerWhereItIsNeeded) {
  // Left arrow: scan 0x4B plus the marker, which lands in bit 24.
  KeyCodeToDisplayName(37, fakeSystem);
  // A: scan 0x1E alone.
  KeyCodeToDisplayName(65, fakeSystem);
  ASSERT_EQ(mapCalls.size(), 2u);
  EXPECT_EQ(mapCalls[0].code, 37u);
  EXPECT_EQ(mapCalls[0].mapType, 0u);  // virtual key to scan code
  EXPECT_EQ(mapCalls[1].code, 65u);
  ASSERT_EQ(nameCalls.size(), 2u);
  EXPECT_EQ(nameCalls[0].lParam, 0x014B0000);
  EXPECT_EQ(nameCalls[1].lParam, 0x001E0000);
}

TEST_F(KeyDisplayNameTest, MarksExactlyTheListedKeys) {
  scanOf = [](UINT code) -> UINT { return code % 0x7F + 1; };
  const std::set<int> extended{33, 34, 35, 36, 37, 38, 39, 40, 45, 46, 111, 144};
  for (int code = 1; code <= 254; ++code) {
    nameCalls.clear();
    KeyCodeToDisplayName(code, fakeSystem);
    ASSERT_EQ(nameCalls.size(), 1u) << "code " << code;
    const UINT scan = static_cast<UINT>(code) % 0x7F + 1 + (extended.count(code) ? 0x100 : 0);
    EXPECT_EQ(nameCalls[0].lParam, static_cast<LONG>(scan << 16)) << "code " << code;
  }
}

TEST_F(KeyDisplayNameTest, HandsAZeroedBufferOf256UnitsAndReturnsItsText) {
  name = L"Left";
  EXPECT_EQ(Text(KeyCodeToDisplayName(37, fakeSystem)), L"Left");
  ASSERT_EQ(nameCalls.size(), 1u);
  EXPECT_EQ(nameCalls[0].bufferUnits, 256);
  EXPECT_TRUE(nameCalls[0].bufferZeroed);
}

TEST_F(KeyDisplayNameTest, NoNameFromTheSystemGivesTheEmptyText) {
  name.clear();
  // 7 has no scan code: the system is still asked, for scan 0, and names nothing.
  EXPECT_TRUE(KeyCodeToDisplayName(7, fakeSystem).IsEmpty());
  ASSERT_EQ(nameCalls.size(), 1u);
  EXPECT_EQ(nameCalls[0].lParam, 0);
}

TEST_F(KeyDisplayNameTest, ReadsNoFurtherThanTheBuffer) {
  fillWithoutNul = true;
  EXPECT_EQ(Text(KeyCodeToDisplayName(65, fakeSystem)), std::wstring(256, L'x'));
}

// A stored value can be any number; a code that a press never sends is shown as no key and the
// system is not asked (it would cut a large code to a byte, and it names 0 and 255 as well).
TEST_F(KeyDisplayNameTest, CodesAPressNeverSendsShowNothing) {
  for (std::int32_t code : {0, 255, -1, -37, 256, 0x141, INT_MAX, INT_MIN}) {
    EXPECT_TRUE(KeyCodeToDisplayName(code, fakeSystem).IsEmpty()) << "code " << code;
  }
  EXPECT_TRUE(mapCalls.empty());
  EXPECT_TRUE(nameCalls.empty());
}

std::wstring SystemNameOfScan(UINT scanAndMarker) {
  wchar_t buffer[256] = {};
  GetKeyNameTextW(static_cast<LONG>(scanAndMarker << 16), buffer, 256);
  return buffer;
}

TEST(KeyDisplayNameOnTheSystem, NamesCommonKeys) {
  EXPECT_EQ(Text(KeyCodeToDisplayName(65)), L"A");
  EXPECT_EQ(Text(KeyCodeToDisplayName(37)), L"Left");
  // Without the marker the same scan code names a keypad key.
  const std::wstring unmarked = SystemNameOfScan(MapVirtualKeyW(37, 0));
  EXPECT_NE(unmarked, L"Left");
  EXPECT_FALSE(unmarked.empty());
}

TEST(KeyDisplayNameOnTheSystem, KeysWithoutANameGiveTheEmptyText) {
  // 7 is an unassigned code; 0 is the catalogue's "无".
  EXPECT_TRUE(KeyCodeToDisplayName(7).IsEmpty());
  EXPECT_TRUE(KeyCodeToDisplayName(0).IsEmpty());
  if (!RunsUnderWine()) return;
  // Wine's US layout has no scan code for F13..F16.
  for (std::int32_t code = VK_F13; code <= VK_F16; ++code) {
    EXPECT_TRUE(KeyCodeToDisplayName(code).IsEmpty()) << "code " << code;
  }
}

TEST(KeyDisplayNameOnTheSystem, WineNamesKeysByTheirKeysyms) {
  if (!RunsUnderWine()) GTEST_SKIP() << "Wine's key names only";
  const struct {
    std::int32_t code;
    const wchar_t* name;
  } cases[] = {
      {32, L"space"},  {13, L"Return"}, {33, L"Prior"},     {34, L"Next"},      {36, L"Home"},   {35, L"End"},
      {38, L"Up"},     {39, L"Right"},  {40, L"Down"},      {45, L"Insert"},    {46, L"Delete"},
      {111, L"KP_Divide"}, {191, L"/"}, {144, L"Num_Lock"}, {19, L"Pause"},     {20, L"Caps_Lock"},
      {8, L"BackSpace"}, {106, L"KP_Multiply"}, {107, L"KP_Add"}, {112, L"F1"}, {123, L"F12"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Text(KeyCodeToDisplayName(c.code)), c.name) << "code " << c.code;
  }
}

// Saving the form without choosing again stores KeyNameToCode of the shown name. Whatever the
// system's names are, a shown name must never parse to another key: either its own code or 0.
TEST(KeyDisplayNameOnTheSystem, ShownNamesParseBackToTheirCodeOrToNothing) {
  const KeyCatalogueItem* items = KeyCatalogue();
  std::set<std::int32_t> roundTrips;
  std::cout << "catalogue code -> system name -> parsed code\n";
  for (int i = 0; i < kKeyCatalogueCount; ++i) {
    const std::int32_t code = items[i].code;
    const CWString shown = KeyCodeToDisplayName(code);
    const std::int32_t parsed = KeyNameToCode(shown);
    std::cout << "  " << code << " -> " << testing::PrintToString(Text(shown)) << " -> " << parsed
              << (parsed == code ? "" : "  (lost)") << "\n";
    EXPECT_TRUE(parsed == code || parsed == 0) << "code " << code << " is shown as a name of key " << parsed;
    if (parsed == code) roundTrips.insert(code);
  }

  if (!RunsUnderWine()) return;
  // Under this Wine: the space bar, letters, F1..F12, Pause, Home, End, the punctuation keys and "无".
  std::set<std::int32_t> expected{0, 19, 32, 35, 36, 186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222};
  for (std::int32_t code = 65; code <= 90; ++code) expected.insert(code);
  for (std::int32_t code = 112; code <= 123; ++code) expected.insert(code);
  EXPECT_EQ(roundTrips, expected);
}

}  // namespace
