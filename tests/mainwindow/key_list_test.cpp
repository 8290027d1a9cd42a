// The form's key list: the catalogue's items in order, each with item data 0, and nothing while the
// combo box has no window.
#include "bridge/KeyCatalogue.h"
#include "mainwindow/KeyList.h"
#include "winframework/ComboBox.h"
#include "winframework/FrameworkTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyList, HoldsTheCatalogueInOrder) {
  DesignedForm form;
  form.SetVisible(false);  // never shown: the display belongs to the tests that hold it
  CVolWinCreateInfo formInfo;
  ASSERT_EQ(form.Create(formInfo), 1);
  CVolComboBox combo;
  FillKeyList(combo);  // no window: nothing happens
  CVolWinCreateInfo info = ChildCreateInfo(form, 29, 14, 112, 30, 101);
  ASSERT_EQ(combo.Create(info), 1);
  SendMessageW(combo.Handle(), CB_SETITEMDATA, 0, 5);  // an empty list has no item 0; this does nothing
  FillKeyList(combo);
  ASSERT_EQ(SendMessageW(combo.Handle(), CB_GETCOUNT, 0, 0), kKeyCatalogueCount);
  for (int i = 0; i < kKeyCatalogueCount; ++i) {
    wchar_t text[32] = {};
    SendMessageW(combo.Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, KeyCatalogue()[i].text) << "position " << i;
    EXPECT_EQ(SendMessageW(combo.Handle(), CB_GETITEMDATA, i, 0), 0) << "position " << i;
  }
  wchar_t first[8] = {};
  wchar_t last[8] = {};
  SendMessageW(combo.Handle(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  SendMessageW(combo.Handle(), CB_GETLBTEXT, kKeyCatalogueCount - 1, reinterpret_cast<LPARAM>(last));
  EXPECT_STREQ(first, L"空格键");
  EXPECT_STREQ(last, L"无");
  form.FormAdapter()->DestroyWindow();
}

}  // namespace
