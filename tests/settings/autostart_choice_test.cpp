// The start at log-on as the user chooses it: what a stored "xrautorun" means, a save and a switch
// against a writer that records and refuses what it is told to, and the registry deletion they use.
#include "settings/AutostartChoice.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsSaving.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace {

// One write ("name=text") or deletion ("-name") as the writer saw it.
class RecordingWriter final : public SettingsWriter {
 public:
  explicit RecordingWriter(std::set<std::wstring> refused = {}) : refused_(std::move(refused)) {}
  bool WriteText(const std::wstring&, const std::wstring& valueName, const std::wstring& text) override {
    done.push_back(valueName + L"=" + text);
    return refused_.count(valueName) == 0;
  }
  bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) override {
    EXPECT_EQ(keyPath, kAutostartKeyPath);
    done.push_back(L"-" + valueName);
    return refused_.count(L"-" + valueName) == 0;
  }
  std::vector<std::wstring> done;

 private:
  std::set<std::wstring> refused_;
};

// A store that can only write, as every writer could before deleting existed.
class WriteOnlyWriter final : public SettingsWriter {
 public:
  bool WriteText(const std::wstring&, const std::wstring&, const std::wstring&) override { return true; }
};

TEST(AutostartChoice, OnlyAStoredZeroTurnsItOff) {
  struct Case {
    const wchar_t* stored;
    bool on;
  };
  const Case cases[] = {{L"0", false}, {L"1", true},  {L"", true},   {L"00", true},
                        {L" 0", true}, {L"off", true}, {L"2", true}, {L"0 ", true}};
  for (const Case& c : cases) {
    EXPECT_EQ(AutostartChosen(c.stored), c.on) << testing::PrintToString(std::wstring(c.stored));
  }
}

TEST(AutostartChoice, ASaveWritesTheCommandWhileOnAndDeletesItWhileOffAndSaysWhenThatFailed) {
  const std::wstring command = L"\"C:\\x\\岚枫禾无线按钮扩展.exe\"";
  struct Case {
    const char* name;
    bool on;
    std::set<std::wstring> refused;
    std::vector<std::wstring> done;
    bool stored;
  };
  const Case cases[] = {
      {"on", true, {}, {L"xrcode=65", L"xrctrl=1", L"an=" + command}, true},
      {"off", false, {}, {L"xrcode=65", L"xrctrl=1", L"-an"}, true},
      {"off, deletion refused", false, {L"-an"}, {L"xrcode=65", L"xrctrl=1", L"-an"}, false},
      {"off, key refused: the deletion still tried", false, {L"xrcode"}, {L"xrcode=65", L"xrctrl=1", L"-an"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingWriter writer(c.refused);
    EXPECT_EQ(StoreSettings(65, true, command, writer, c.on), c.stored);
    EXPECT_EQ(writer.done, c.done);
  }
  // A store that cannot delete does not report the deletion as done.
  WriteOnlyWriter writeOnly;
  EXPECT_FALSE(StoreSettings(65, true, command, writeOnly, false));
  EXPECT_TRUE(StoreSettings(65, true, command, writeOnly, true));
}

TEST(AutostartChoice, TheSwitchStoresTheChoiceThenMakesTheRunValueFollowEvenWhenTheFirstFailed) {
  const std::wstring command = L"\"C:\\x\\岚枫禾无线按钮扩展.exe\"";
  struct Case {
    const char* name;
    bool on;
    std::set<std::wstring> refused;
    std::vector<std::wstring> done;
    bool applied;
  };
  const Case cases[] = {
      {"on", true, {}, {L"xrautorun=1", L"an=" + command}, true},
      {"off", false, {}, {L"xrautorun=0", L"-an"}, true},
      {"on, Run value refused", true, {L"an"}, {L"xrautorun=1", L"an=" + command}, false},
      {"off, deletion refused", false, {L"-an"}, {L"xrautorun=0", L"-an"}, false},
      {"off, choice refused", false, {L"xrautorun"}, {L"xrautorun=0", L"-an"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingWriter writer(c.refused);
    EXPECT_EQ(ApplyAutostartChoice(c.on, command, writer), c.applied);
    EXPECT_EQ(writer.done, c.done);
  }
}

class RegistryDeleteValueTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = L"Software\\lanfhe-tests\\" + std::to_wstring(GetCurrentProcessId()) + L"-delete";
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\lanfhe-tests");  // only goes once it is empty
  }
  std::wstring root_;
};

TEST_F(RegistryDeleteValueTest, DeletesTheValueAloneAndCountsAMissingValueOrKeyAsGone) {
  ASSERT_TRUE(RegistryWriteText(root_, L"an", L"x"));
  ASSERT_TRUE(RegistryWriteText(root_, L"other", L"y"));
  EXPECT_TRUE(RegistryDeleteValue(root_, L"an"));
  EXPECT_EQ(RegistryReadText(root_, L"an", L"(missing)"), L"(missing)");
  EXPECT_EQ(RegistryReadText(root_, L"other", L"(missing)"), L"y");
  EXPECT_TRUE(RegistryDeleteValue(root_, L"an"));                  // missing value
  EXPECT_TRUE(RegistryDeleteValue(root_ + L"\\nowhere", L"an"));  // missing key, which is not made
  RegistryKey key;
  EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, (root_ + L"\\nowhere").c_str(), 0, KEY_READ, key.Receive()),
            ERROR_SUCCESS);
}

}  // namespace
