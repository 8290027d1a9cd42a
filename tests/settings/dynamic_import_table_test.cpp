// The function table: its rows in the order callers index them.
#include "settings/DynamicImportTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DynamicImportTable, RowsAreInIndexOrderAndEndWithNullLibrary) {
  struct Row {
    User32Import index;
    const wchar_t* library;
    const char* function;
  };
  const Row rows[] = {
      {kUser32GetWindowThreadProcessId, L"User32.dll", "GetWindowThreadProcessId"},
      {kUser32CallNextHookEx, L"", "CallNextHookEx"},
      {kUser32SetWindowsHookExW, L"", "SetWindowsHookExW"},
      {kUser32SendInput, L"", "SendInput"},
      {kUser32UnhookWindowsHookEx, L"", "UnhookWindowsHookEx"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.function);
    ASSERT_NE(g_user32Imports[row.index].library, nullptr);
    EXPECT_EQ(std::wstring(g_user32Imports[row.index].library), row.library);
    EXPECT_STREQ(g_user32Imports[row.index].function, row.function);
  }
  EXPECT_EQ(g_user32Imports[kUser32ImportCount].library, nullptr);
}

TEST(DynamicImportTable, TheDeviceFunctionsComeFromHid) {
  EXPECT_EQ(std::wstring(g_hidImports[kHidGetAttributes].library), L"hid.dll");
  EXPECT_STREQ(g_hidImports[kHidGetAttributes].function, "HidD_GetAttributes");
  EXPECT_EQ(std::wstring(g_hidImports[kHidGetProductString].library), L"");
  EXPECT_STREQ(g_hidImports[kHidGetProductString].function, "HidD_GetProductString");
  EXPECT_EQ(g_hidImports[kHidImportCount].library, nullptr);
}

}  // namespace
