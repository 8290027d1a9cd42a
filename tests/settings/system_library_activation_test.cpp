// The function table in a program that carries the program's manifest: a system library named in the
// table must come as the manifest's activation context redirects it, as the common controls of
// version 6 rather than those of version 5 in the system directory. An executable of its own, so
// that nothing has loaded the common controls before.
#include "runtime/AppInstance.h"
#include "settings/DynamicImports.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::wstring LowerCaseModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  CharLowerBuffW(path, length);
  return std::wstring(path, length);
}

// Which copy is which, measured under Wine 8: both report the file version 5.81.4704.1100; the
// version 6 copy is mapped from
//   C:\windows\winsxs\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.0.2600.2982_none_deadbeef\comctl32.dll
// and the version 5 copy from C:\windows\system32\comctl32.dll, so the path tells them apart. On
// Windows the version 6 copy lies in a folder of the same pattern (and reports file version 6.10).
TEST(SystemLibraryUnderTheManifest, TheCommonControlsComeInTheVersionTheManifestAsksFor) {
  ASSERT_EQ(GetModuleHandleW(L"comctl32.dll"), nullptr) << "already loaded: this test shows nothing";
  DynamicImportEntry table[] = {{L"comctl32.dll", "InitCommonControlsEx", nullptr}, {nullptr, nullptr, nullptr}};

  ASSERT_EQ(LoadDynamicImports(table), 1);

  ASSERT_EQ(g_loadedLibraries.GetLength(), static_cast<int64_t>(sizeof(HMODULE)));
  HMODULE loaded = nullptr;
  CopyMemory(&loaded, g_loadedLibraries.GetData(), sizeof loaded);
  const std::wstring path = LowerCaseModulePath(loaded);
  EXPECT_TRUE(path.find(L"\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.") != std::wstring::npos)
      << "loaded from " << testing::PrintToString(path);
  EXPECT_EQ(table[0].address, reinterpret_cast<void*>(GetProcAddress(loaded, "InitCommonControlsEx")));
  FreeDynamicImports();
}

}  // namespace
