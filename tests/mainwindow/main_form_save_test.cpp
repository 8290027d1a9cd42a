// The main form's save against a store that refuses writes: the registry under Wine cannot be made
// to refuse one, so the form is created here, in the test process, and given a writer of the test's
// own. "保存" is clicked through the button's own message; the box is read from another thread.
#include "mainwindow/MainForm.h"
#include "settings/DynamicImports.h"
#include "settings/SettingsWriter.h"
#include "support/NamedEvents.h"
#include "support/Notices.h"
#include "support/StoredSettings.h"
#include "support/WindowTestSupport.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kBoxMs = 10000;
constexpr int kMessageBoxIconId = 0x0440;  // the icon's static control in the system's message box

struct Write {
  std::wstring valueName;
  std::wstring text;
  bool operator==(const Write& other) const { return valueName == other.valueName && text == other.text; }
};

void PrintTo(const Write& write, std::ostream* out) {
  for (wchar_t c : write.valueName + L"=" + write.text) *out << (c < 128 ? static_cast<char>(c) : '?');
}

class ScriptedWriter final : public SettingsWriter {
 public:
  bool WriteText(const std::wstring&, const std::wstring& valueName, const std::wstring& text) override {
    writes.push_back({valueName, text});
    return refused.count(valueName) == 0;
  }
  bool DeleteValue(const std::wstring&, const std::wstring& valueName) override {
    writes.push_back({valueName, L"(deleted)"});
    return refused.count(valueName) == 0;
  }
  std::set<std::wstring> refused;
  std::vector<Write> writes;
};

struct SeenBox {
  bool found = false;
  NoticeText text;
  HWND owner = nullptr;
  bool errorIcon = false;
};

// This test's own executable: the form saves the file it runs from, whatever that is called.
std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

TEST(MainFormSave, ShowsSaveFailedWithTheErrorIconWhenAnyWriteIsRefused) {
  const StoredSettingsBackup backup;
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));  // the form starts shown
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", std::nullopt));
  // A copy of the program running in the prefix would make the guard end this process.
  ASSERT_FALSE(EventExists(L"重复运行"));
  LoadDynamicImports();

  CBridgeMainForm form;
  ScriptedWriter writer;
  form.SetSettingsWriter(&writer);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  form.keyCombo.SetControlText(L"F5键");
  SendMessageW(form.ctrlCheck.Handle(), BM_SETCHECK, BST_CHECKED, 0);

  struct Case {
    std::set<std::wstring> refused;
    const wchar_t* message;
    bool errorIcon;
  };
  const Case cases[] = {
      {{}, L"保存成功", false},
      {{L"xrcode"}, L"保存失败", true},
      {{L"xrctrl"}, L"保存失败", true},
      {{L"an"}, L"保存失败", true},
      {{L"xrdevice"}, L"保存失败", true},
      {{L"xrcode", L"xrctrl", L"an", L"xrdevice"}, L"保存失败", true},
  };
  // The device box is clear: the device choice is deleted.
  const std::vector<Write> expectedWrites = {{L"xrcode", L"116"},
                                             {L"xrctrl", L"1"},
                                             {L"an", L"\"" + OwnPath() + L"\""},
                                             {L"xrdevice", L"(deleted)"}};
  for (const Case& c : cases) {
    std::string refusedNames = "refused:";
    for (const std::wstring& name : c.refused) refusedNames += " " + std::string(name.begin(), name.end());
    SCOPED_TRACE(refusedNames);
    writer.refused = c.refused;
    writer.writes.clear();
    SeenBox seen;
    std::thread reader([&] {
      const HWND box = WaitForNotice(GetCurrentProcessId(), kBoxMs);
      if (box == nullptr) return;
      seen.found = true;
      seen.text = ReadNotice(box);
      seen.owner = GetWindow(box, GW_OWNER);
      const HWND icon = GetDlgItem(box, kMessageBoxIconId);
      seen.errorIcon = icon != nullptr && IsWindowVisible(icon) &&
                       reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)) == LoadIconW(nullptr, IDI_ERROR);
      ConfirmNotice(box);
    });
    // The click runs the save and its box's own message loop before it returns.
    SendMessageW(form.saveButton.Handle(), BM_CLICK, 0, 0);
    reader.join();

    EXPECT_EQ(writer.writes, expectedWrites) << "every write attempted";
    ASSERT_TRUE(seen.found) << "no box";
    EXPECT_EQ(seen.text.caption, L"提示");
    EXPECT_EQ(seen.text.text, c.message);
    EXPECT_EQ(seen.errorIcon, c.errorIcon);
    EXPECT_EQ(seen.owner, form.Handle()) << "the box belongs to the form";
  }
  EXPECT_EQ(ReadStoredText(kProgramSettingsKey, L"xrcode"), std::nullopt) << "the registry was not the store";

  form.FormAdapter()->DestroyWindow();
  PumpMessages();
}

}  // namespace
