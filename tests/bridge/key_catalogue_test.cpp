// The catalogue the combo box is filled from: its items, in order, and the code each one parses to.
#include "bridge/KeyCatalogue.h"
#include "bridge/KeyNameToCode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ExpectedItem {
  std::wstring text;
  std::int32_t code;
};

// The list as the form shows it, written out independently of the catalogue's own table.
std::vector<ExpectedItem> ExpectedCatalogue() {
  std::vector<ExpectedItem> items{{L"空格键", 32}, {L"回车键", 13}};
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) items.push_back({std::wstring(1, letter) + L"键", letter});
  for (int n = 1; n <= 16; ++n) items.push_back({L"F" + std::to_wstring(n) + L"键", 111 + n});
  const ExpectedItem rest[] = {
      {L"break键", 3},     {L"pause键", 19},    {L"capsLock键", 20}, {L"numLock键", 144}, {L"scrollLock键", 145},
      {L"esc键", 27},      {L"pageup键", 33},   {L"pagedown键", 34}, {L"home键", 36},     {L"end键", 35},
      {L"左光标键", 37},   {L"上光标键", 38},   {L"右光标键", 39},   {L"下光标键", 40},   {L"ins键", 45},
      {L"del键", 46},      {L"分号键", 186},    {L"等号键", 187},    {L"逗号键", 188},    {L"减号键", 189},
      {L"圆点键", 190},    {L"除号键", 191},    {L"反撇号键", 192},  {L"左中括号键", 219}, {L"右中括号键", 221},
      {L"斜杠键", 220},    {L"单引号键", 222},  {L"乘号键", 106},    {L"加号键", 107},    {L"退格键", 8},
      {L"无", 0},
  };
  items.insert(items.end(), std::begin(rest), std::end(rest));
  return items;
}

TEST(KeyCatalogue, HoldsTheFormsListInInsertionOrder) {
  const std::vector<ExpectedItem> expected = ExpectedCatalogue();
  ASSERT_EQ(expected.size(), 75u);
  ASSERT_EQ(kKeyCatalogueCount, 75);
  const KeyCatalogueItem* items = KeyCatalogue();
  ASSERT_NE(items, nullptr);
  for (int i = 0; i < kKeyCatalogueCount; ++i) {
    SCOPED_TRACE("position " + std::to_string(i));
    ASSERT_NE(items[i].text, nullptr);
    EXPECT_EQ(std::wstring(items[i].text), expected[i].text);
    EXPECT_EQ(items[i].code, expected[i].code);
  }
  EXPECT_EQ(std::wstring(items[0].text), L"空格键");
  EXPECT_EQ(std::wstring(items[kKeyCatalogueCount - 1].text), L"无");
}

TEST(KeyCatalogue, EveryItemParsesToItsCode) {
  const KeyCatalogueItem* items = KeyCatalogue();
  for (int i = 0; i < kKeyCatalogueCount; ++i) {
    SCOPED_TRACE("position " + std::to_string(i));
    EXPECT_EQ(KeyNameToCode(CWString(items[i].text)), items[i].code);
  }
}

}  // namespace
