// The function table: its rows in the order callers index them, and its filling.
#include "settings/DynamicImportTable.h"
#include "settings/User32ImportBinding.h"

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
      {kUser32KeybdEvent, L"", "keybd_event"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.function);
    ASSERT_NE(g_user32Imports[row.index].library, nullptr);
    EXPECT_EQ(std::wstring(g_user32Imports[row.index].library), row.library);
    EXPECT_STREQ(g_user32Imports[row.index].function, row.function);
  }
  EXPECT_EQ(g_user32Imports[kUser32ImportCount].library, nullptr);
}

TEST(DynamicImportTable, BindingFillsEachRowWithTheFunctionItNames) {
  BindUser32ImportsFromImportLibrary();
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  ASSERT_NE(user32, nullptr);
  for (int i = 0; i < kUser32ImportCount; ++i) {
    SCOPED_TRACE(g_user32Imports[i].function);
    EXPECT_NE(g_user32Imports[i].address, nullptr);
    EXPECT_EQ(g_user32Imports[i].address,
              reinterpret_cast<void*>(GetProcAddress(user32, g_user32Imports[i].function)));
  }
}

}  // namespace
