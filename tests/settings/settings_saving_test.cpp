// What a save stores, against a writer that records every write and refuses the ones it is told to.
#include "settings/ExecutablePath.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsSaving.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

struct Write {
  std::wstring keyPath;
  std::wstring valueName;
  std::wstring text;
  bool operator==(const Write& other) const {
    return keyPath == other.keyPath && valueName == other.valueName && text == other.text;
  }
};

void PrintTo(const Write& write, std::ostream* out) {
  const std::wstring all = write.keyPath + L"|" + write.valueName + L"|" + write.text;
  for (wchar_t c : all) *out << (c < 128 ? static_cast<char>(c) : '?');
}

class RecordingWriter final : public SettingsWriter {
 public:
  explicit RecordingWriter(std::set<std::wstring> refused = {}) : refused_(std::move(refused)) {}
  bool WriteText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text) override {
    writes.push_back({keyPath, valueName, text});
    return refused_.count(valueName) == 0;
  }
  std::vector<Write> writes;

 private:
  std::set<std::wstring> refused_;
};

// Registry key names ignore case: the writer's form of the settings key is compared that way.
bool SameKeyPath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

TEST(StoreSettings, WritesTheCodeTheCtrlChoiceAndTheCommandInThatOrder) {
  struct Case {
    int32_t code;
    bool ctrl;
    const wchar_t* codeText;
    const wchar_t* ctrlText;
  };
  const Case cases[] = {
      {116, true, L"116", L"1"},   {32, false, L"32", L"0"},
      {0, false, L"0", L"0"},      {-1, true, L"-1", L"1"},
      {INT32_MAX, false, L"2147483647", L"0"}, {INT32_MIN, true, L"-2147483648", L"1"},
  };
  const std::wstring command = L"\"Z:\\apps\\岚枫禾无线按钮扩展.exe\"";
  for (const Case& c : cases) {
    RecordingWriter writer;
    EXPECT_TRUE(StoreSettings(c.code, c.ctrl, command, writer)) << c.code;
    ASSERT_EQ(writer.writes.size(), 3u) << c.code;
    EXPECT_TRUE(SameKeyPath(writer.writes[0].keyPath, kSettingsKeyPath));
    EXPECT_EQ(writer.writes[0].valueName, L"xrcode");
    EXPECT_EQ(writer.writes[0].text, c.codeText);
    EXPECT_TRUE(SameKeyPath(writer.writes[1].keyPath, kSettingsKeyPath));
    EXPECT_EQ(writer.writes[1].valueName, L"xrctrl");
    EXPECT_EQ(writer.writes[1].text, c.ctrlText);
    EXPECT_EQ(writer.writes[2], (Write{L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"an", command}));
  }
}

// The writes are independent: a refused one stops none of the others, and any refusal makes the
// whole save a failure.
TEST(StoreSettings, AttemptsEveryWriteAndFailsWhenAnyIsRefused) {
  struct Case {
    std::set<std::wstring> refused;
    bool stored;
  };
  const Case cases[] = {
      {{}, true},
      {{L"xrcode"}, false},
      {{L"xrctrl"}, false},
      {{L"an"}, false},
      {{L"xrcode", L"an"}, false},
      {{L"xrcode", L"xrctrl", L"an"}, false},
  };
  for (const Case& c : cases) {
    RecordingWriter writer(c.refused);
    EXPECT_EQ(StoreSettings(65, false, L"\"x.exe\"", writer), c.stored) << c.refused.size();
    ASSERT_EQ(writer.writes.size(), 3u) << "every write is attempted";
    EXPECT_EQ(writer.writes[0].valueName, L"xrcode");
    EXPECT_EQ(writer.writes[1].valueName, L"xrctrl");
    EXPECT_EQ(writer.writes[2].valueName, L"an");
  }
}

// The save with no command (the executable's path could not be read): the key and the Ctrl choice
// are still stored, the autostart value is left alone, and the save failed.
TEST(StoreSettings, WithoutACommandLeavesTheAutostartValueAndFails) {
  RecordingWriter writer;
  EXPECT_FALSE(StoreSettings(65, true, std::nullopt, writer));
  ASSERT_EQ(writer.writes.size(), 2u);
  EXPECT_EQ(writer.writes[0].valueName, L"xrcode");
  EXPECT_EQ(writer.writes[1].valueName, L"xrctrl");
}

TEST(AutostartCommand, QuotesTheExecutablesOwnPath) {
  struct Case {
    const wchar_t* path;
    const wchar_t* command;
  };
  const Case cases[] = {
      {L"D:\\tools\\岚枫禾无线按钮扩展.exe", L"\"D:\\tools\\岚枫禾无线按钮扩展.exe\""},
      // A second download renamed by the browser: the file that exists, not the usual name.
      {L"C:\\Users\\a\\Downloads\\岚枫禾无线按钮扩展 (1).exe", L"\"C:\\Users\\a\\Downloads\\岚枫禾无线按钮扩展 (1).exe\""},
      {L"C:\\Program Files\\x.exe", L"\"C:\\Program Files\\x.exe\""},
  };
  for (const Case& c : cases) EXPECT_EQ(AutostartCommand(c.path), c.command);
}

// What the stand-in for GetModuleFileNameW reports: the path it holds, cut to the buffer as the
// system cuts it (the buffer's size answered, ERROR_INSUFFICIENT_BUFFER), or 0 for an empty path.
std::wstring g_reportedPath;
DWORD g_largestBuffer = 0;

DWORD WINAPI ReportPath(HMODULE, LPWSTR buffer, DWORD units) {
  if (units > g_largestBuffer) g_largestBuffer = units;
  if (g_reportedPath.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (g_reportedPath.size() < units) {
    g_reportedPath.copy(buffer, g_reportedPath.size());
    buffer[g_reportedPath.size()] = 0;
    return static_cast<DWORD>(g_reportedPath.size());
  }
  g_reportedPath.copy(buffer, units - 1);
  buffer[units - 1] = 0;
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return units;
}

// A path of length units: a drive, then folders of ten characters, ending in ".exe".
std::wstring PathOfLength(size_t units) {
  std::wstring path = L"C:";
  while (path.size() + 11 + 5 <= units) path += L"\\folder0123";
  path += L"\\";
  while (path.size() + 4 < units) path += L'x';
  return path + L".exe";
}

TEST(ReadModuleFilePath, ReadsPathsOfAnyLengthTheSystemAllowsWhole) {
  struct Case {
    size_t length;  // 0: the system reports no path
    bool read;
  };
  const Case cases[] = {{12, true},    {MAX_PATH - 1, true}, {MAX_PATH, true}, {MAX_PATH + 1, true},
                        {700, true},   {32767, true},        {32768, false},   {40000, false},
                        {0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    g_reportedPath = c.length != 0 ? PathOfLength(c.length) : std::wstring();
    ASSERT_EQ(g_reportedPath.size(), c.length);
    g_largestBuffer = 0;
    std::wstring path = L"left over";
    EXPECT_EQ(ReadModuleFilePath(nullptr, path, ReportPath), c.read);
    EXPECT_EQ(path, c.read ? g_reportedPath : std::wstring());
    if (!c.read && c.length != 0) {
      EXPECT_EQ(g_largestBuffer, 32768u) << "gave up before the longest path";
    }
  }
}

TEST(ReadModuleFilePath, TheRunningExecutableIsTheSystemsAnswer) {
  wchar_t expected[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, expected, MAX_PATH), 0u);
  std::wstring path;
  ASSERT_TRUE(ReadModuleFilePath(nullptr, path));
  EXPECT_EQ(path, expected);
}

}  // namespace
