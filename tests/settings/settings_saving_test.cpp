// What a save stores, against a writer that records every write and refuses the ones it is told to.
#include "settings/SettingsKeys.h"
#include "settings/SettingsSaving.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
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

TEST(AutostartCommand, QuotesTheDirectoryAndTheProgramsFileName) {
  struct Case {
    const wchar_t* directory;
    const wchar_t* command;
  };
  const Case cases[] = {
      {L"D:\\tools\\", L"\"D:\\tools\\岚枫禾无线按钮扩展.exe\""},
      {L"C:\\Program Files\\岚枫禾\\", L"\"C:\\Program Files\\岚枫禾\\岚枫禾无线按钮扩展.exe\""},
      {L"Z:\\", L"\"Z:\\岚枫禾无线按钮扩展.exe\""},
      // No directory found: the bare file name, still quoted.
      {L"", L"\"岚枫禾无线按钮扩展.exe\""},
  };
  for (const Case& c : cases) EXPECT_EQ(AutostartCommand(c.directory), c.command);
}

}  // namespace
