// The per-user installer and its uninstaller, run silently (/S) into the test prefix as a user would
// have them run: the files, the Start-menu shortcut and the entry in the list of installed programs;
// the installed program starting with its form; a second installation while the program runs, which
// ends it, replaces the files and keeps the settings; the uninstallation, which ends the program and
// leaves nothing behind. The settings are put back after every test, and an installation a failed
// test leaves is removed.
#include "ProgramDriver.h"
#include "settings/KernelHandle.h"
#include "settings/RegistryKey.h"
#include "support/HostProcess.h"
#include "support/StoredSettings.h"
#include "support/WineTray.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace e2e;

constexpr DWORD kInstallMs = 60000;
const std::wstring kUninstallKey =
    std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kProgramTitle;

std::wstring Widen(const char* utf8) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring wide(units > 0 ? units - 1 : 0, L'\0');
  if (units > 1) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], units);
  return wide;
}

std::string Narrow(const std::optional<std::wstring>& text) {
  if (!text) return "(missing)";
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text->c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text->c_str(), -1, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(bytes.size() - 1);
  return bytes;
}

// The installer as the build made it, as a Windows path.
std::wstring InstallerPath() {
  std::wstring path = Widen(LANFHE_INSTALLER_PATH);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  if (!path.empty() && path[0] == L'\\') path = L"Z:" + path;
  return path;
}

std::wstring KnownFolder(REFKNOWNFOLDERID folder) {
  PWSTR path = nullptr;
  std::wstring text;
  if (SUCCEEDED(SHGetKnownFolderPath(folder, 0, nullptr, &path))) text = path;
  CoTaskMemFree(path);
  return text;
}

std::wstring InstallDirectory() { return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\" + kProgramTitle; }
std::wstring InstalledProgram() { return InstallDirectory() + L"\\" + kProgramTitle + L".exe"; }
std::wstring Uninstaller() { return InstallDirectory() + L"\\uninstall.exe"; }
std::wstring Guide() { return InstallDirectory() + L"\\使用说明.txt"; }
std::wstring Shortcut() { return KnownFolder(FOLDERID_Programs) + L"\\" + kProgramTitle + L".lnk"; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<char> Bytes(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool KeyExists(const std::wstring& path) {
  RegistryKey key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

std::optional<DWORD> ReadStoredNumber(const std::wstring& keyPath, const std::wstring& valueName) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), valueName.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

// The file a shortcut starts, from the shortcut's item list.
std::wstring ShortcutTarget(const std::wstring& shortcut) {
  std::wstring target;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return target;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      // The item list carries the names in Unicode; the link's plain path is kept in the ANSI code
      // page by this Wine, which has no Chinese ("?").
      wchar_t path[MAX_PATH] = {};
      PIDLIST_ABSOLUTE items = nullptr;
      if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) && SUCCEEDED(link->GetIDList(&items)) &&
          SHGetPathFromIDListW(items, path) != FALSE) {
        target = path;
      }
      CoTaskMemFree(items);
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return target;
}

// Runs a program with arguments and waits for its end; its exit code, STILL_ACTIVE when it is still
// running after timeoutMs.
DWORD RunToEnd(const std::wstring& program, const std::wstring& arguments, DWORD timeoutMs) {
  const std::unique_ptr<HostProcess> process = HostProcess::Start(program, arguments);
  return process ? process->WaitForExit(timeoutMs) : STILL_ACTIVE;
}

// True when nothing of an installation is left.
bool NothingInstalled() {
  return !Exists(InstallDirectory()) && !Exists(Shortcut()) && !KeyExists(kUninstallKey);
}

class InstallerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(InstallerPath())) << "no installer: " << Narrow(InstallerPath());
    ASSERT_FALSE(AnyCopyRuns()) << "a copy of the program is already running";
    ASSERT_TRUE(NothingInstalled()) << "an installation is already there";
    trayBefore_ = wine_tray::Icons().size();
  }

  void TearDown() override {
    program_.reset();
    // Whatever a failed test left installed goes, without its uninstaller when that is gone too.
    if (Exists(Uninstaller())) {
      RunToEnd(Uninstaller(), L"/S", kInstallMs);
      WaitUntil(NothingInstalled, 20000);
    }
    for (const std::wstring& file : {InstalledProgram(), Guide(), Uninstaller(), Shortcut()}) DeleteFileW(file.c_str());
    RemoveDirectoryW(InstallDirectory().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey.c_str());
    EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 5000)) << "icons left";
  }

  static void Install() { ASSERT_EQ(RunToEnd(InstallerPath(), L"/S", kInstallMs), 0u) << "the installer failed"; }

  // Starts the installed program; waits for the end of its start-up and its form.
  HWND StartInstalled() {
    program_ = HostProcess::Start(InstalledProgram(), L"");
    if (!program_ || !WaitForStartUp(program_->Id())) return nullptr;
    HWND form = nullptr;
    WaitUntil([&] { return (form = FindForm(program_->Id())) != nullptr; }, kStartTimeoutMs);
    return form;
  }

  StoredSettingsBackup backup_;  // declared first: put back after everything else
  std::unique_ptr<HostProcess> program_;
  size_t trayBefore_ = 0;
};

TEST_F(InstallerTest, ASilentInstallGivesTheFilesTheShortcutAndTheEntryAndTheProgramStartsWithItsForm) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(Install());

  EXPECT_EQ(Bytes(InstalledProgram()), Bytes(ProgramPath())) << "the installed program is not the built one";
  EXPECT_TRUE(Exists(Uninstaller()));
  const std::vector<char> guide = Bytes(Guide());
  ASSERT_GE(guide.size(), 3u) << "no guide";
  EXPECT_EQ(std::string(guide.begin(), guide.begin() + 3), "\xEF\xBB\xBF") << "the guide has no byte-order mark";

  ASSERT_TRUE(Exists(Shortcut())) << "no Start-menu shortcut " << Narrow(Shortcut());
  EXPECT_EQ(Narrow(ShortcutTarget(Shortcut())), Narrow(InstalledProgram()));

  const std::wstring quotedUninstaller = L"\"" + Uninstaller() + L"\"";
  struct Case {
    const wchar_t* name;
    std::wstring expected;
  };
  const Case texts[] = {{L"DisplayName", kProgramTitle},
                        {L"DisplayVersion", Widen(LANFHE_EXPECTED_VERSION)},
                        {L"Publisher", L"lanfhe"},
                        {L"InstallLocation", InstallDirectory()},
                        {L"DisplayIcon", InstalledProgram() + L",0"},
                        {L"UninstallString", quotedUninstaller},
                        {L"QuietUninstallString", quotedUninstaller + L" /S"}};
  for (const Case& c : texts) {
    EXPECT_EQ(Narrow(ReadStoredText(kUninstallKey, c.name)), Narrow(c.expected)) << Narrow(std::wstring(c.name));
  }
  const std::optional<DWORD> size = ReadStoredNumber(kUninstallKey, L"EstimatedSize");
  ASSERT_TRUE(size.has_value()) << "no EstimatedSize";
  // In KiB: at least the program itself.
  EXPECT_GE(*size, Bytes(InstalledProgram()).size() / 1024);

  // Nothing stored yet: the installed program shows its form.
  const HWND form = StartInstalled();
  ASSERT_NE(form, nullptr) << "the installed program made no form";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != FALSE; }, kStartTimeoutMs));
  EXPECT_TRUE(program_->IsRunning());
}

TEST_F(InstallerTest, InstallingAgainWhileTheProgramRunsEndsItReplacesTheFilesAndKeepsTheSettings) {
  ASSERT_NO_FATAL_FAILURE(Install());
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"116"));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", L"1"));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrautorun", L"0"));
  ASSERT_TRUE(SetStoredText(kRunKey, L"an", L"\"C:\\elsewhere\\x.exe\""));
  ASSERT_NE(StartInstalled(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_ + 1; }, kStartTimeoutMs));
  // A damaged file of the first installation, to see it replaced.
  const std::vector<char> guide = Bytes(Guide());
  { std::ofstream(Guide().c_str(), std::ios::binary | std::ios::trunc) << "damaged"; }

  ASSERT_NO_FATAL_FAILURE(Install());
  EXPECT_EQ(program_->WaitForExit(0), 0u) << "the running copy was not ended (with 0) before the files were replaced";
  EXPECT_FALSE(AnyCopyRuns());
  EXPECT_EQ(Bytes(InstalledProgram()), Bytes(ProgramPath()));
  EXPECT_EQ(Bytes(Guide()), guide) << "the guide was not replaced";
  EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 5000)) << "the icon stayed";

  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrcode")), "116");
  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrctrl")), "1");
  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrautorun")), "0");
  EXPECT_EQ(Narrow(ReadStoredText(kRunKey, L"an")), "\"C:\\elsewhere\\x.exe\"");
}

TEST_F(InstallerTest, ASilentUninstallEndsTheProgramAndLeavesNothing) {
  ASSERT_NO_FATAL_FAILURE(Install());
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrautorun", L"1"));
  ASSERT_TRUE(SetStoredText(kRunKey, L"an", L"\"" + InstalledProgram() + L"\""));
  ASSERT_NE(StartInstalled(), nullptr);

  // The uninstaller hands over to a copy of itself outside the folder it removes and ends: the test
  // waits for what that copy does.
  ASSERT_EQ(RunToEnd(Uninstaller(), L"/S", kInstallMs), 0u);
  EXPECT_TRUE(WaitUntil(NothingInstalled, 20000))
      << "left: folder " << Exists(InstallDirectory()) << ", shortcut " << Exists(Shortcut()) << ", entry "
      << KeyExists(kUninstallKey);
  EXPECT_EQ(program_->WaitForExit(0), 0u) << "the program still runs";
  EXPECT_FALSE(AnyCopyRuns());
  EXPECT_EQ(Narrow(ReadStoredText(kRunKey, L"an")), "(missing)");
  EXPECT_FALSE(KeyExists(kProgramSettingsKey)) << "the settings key stayed";
  EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 5000)) << "the icon stayed";
}

}  // namespace
