// Checks the test environment itself: later tests rely on a 16-bit wchar_t, on static linking and on
// a dialog font that can show Chinese text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Environment, WideCharactersAreUtf16Units) {
  static_assert(sizeof(wchar_t) == 2, "the program assumes UTF-16 wide text");
  const std::wstring title = L"岚枫禾无线按钮扩展";
  EXPECT_EQ(title.size(), 9u);
  EXPECT_EQ(title[0], static_cast<wchar_t>(0x5C9A));
}

TEST(Environment, ExecutableImportsNoCompilerRuntimeDll) {
  for (const wchar_t* dll : {L"libstdc++-6.dll", L"libgcc_s_seh-1.dll", L"libwinpthread-1.dll"}) {
    EXPECT_EQ(GetModuleHandleW(dll), nullptr) << "loaded: " << std::string(dll, dll + wcslen(dll));
  }
}

int CALLBACK CountFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return 1;
}

TEST(Environment, ChineseFontIsInstalledAndLinkedBehindTahoma) {
  HDC dc = GetDC(nullptr);
  ASSERT_NE(dc, nullptr);
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcscpy(wanted.lfFaceName, L"WenQuanYi Zen Hei");
  int found = 0;
  EnumFontFamiliesExW(dc, &wanted, CountFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  EXPECT_GT(found, 0) << "the CJK font is not visible to Wine";

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink",
                          0, KEY_READ, &key),
            ERROR_SUCCESS);
  wchar_t data[256] = {};
  DWORD size = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  LONG rc = RegQueryValueExW(key, L"Tahoma", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  ASSERT_EQ(rc, ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(std::wstring(data), L"wqy-zenhei.ttc,WenQuanYi Zen Hei");
}

// A crash must end a test executable with the exception code, not hang in a crash dialog.
constexpr wchar_t kCrashSwitch[] = L"LANFHE_HARNESS_CRASH";

TEST(CrashGuard, CrashHereWhenAsked) {
  if (GetEnvironmentVariableW(kCrashSwitch, nullptr, 0) == 0) GTEST_SKIP() << "only in the child of CrashEndsTheProcess";
  volatile int* nowhere = nullptr;
  *nowhere = 1;
}

TEST(CrashGuard, CrashEndsTheProcessWithTheExceptionCode) {
  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=CrashGuard.CrashHereWhenAsked";
  ASSERT_TRUE(SetEnvironmentVariableW(kCrashSwitch, L"1"));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(kCrashSwitch, nullptr);
  ASSERT_TRUE(started);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}

}  // namespace
