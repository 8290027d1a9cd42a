// The real program under Wine, driven with real input (xdotool): its middle-button bridge seen by a
// target window of another process, and its "保存" button seen in the registry and in its
// confirmation. Every test keeps the stored settings and puts them back; every process it starts ends
// with it.
#include "KeyTarget.h"
#include "ProgramDriver.h"
#include "support/HostProcess.h"
#include "support/Notices.h"
#include "support/ProcessWindows.h"
#include "support/RealInput.h"
#include "support/StoredSettings.h"
#include "support/WineTray.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace e2e;
using Keys = std::vector<std::string>;

constexpr int kKeyComboId = 101;
constexpr int kSaveButtonId = 102;
constexpr int kCtrlCheckId = 103;
constexpr DWORD kStartMs = 30000;
constexpr DWORD kBoxMs = 10000;

const Keys kSpace = {"keydown 32", "keyup 32"};
const Keys kSpaceWithCtrl = {"keydown 17", "keydown 32", "keyup 17", "keyup 32"};

std::string Narrow(const std::wstring& text) {
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(bytes.size() - 1);
  return bytes;
}

std::string Narrow(const std::optional<std::wstring>& text) { return text ? Narrow(*text) : "(missing)"; }
std::string Narrow(const wchar_t* text) { return Narrow(std::wstring(text)); }

// The list a combo box of process processId has dropped; null while none is shown.
HWND DroppedList(DWORD processId) {
  for (const HWND window : TopLevelWindowsOf(processId)) {
    if (ClassIs(window, L"ComboLBox") && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

class ProgramBridgeAndSave : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(AnyCopyRuns()) << "another copy of the program runs in this prefix";
  }

  void StartTarget() { ASSERT_TRUE(target_.Start()) << "key_target.exe did not come up"; }

  // Starts the program and waits for its form; with shown, until the form is visible.
  void StartProgram(bool shown, const std::wstring& executable = ProgramPath()) {
    program_ = HostProcess::Start(executable, L"");
    ASSERT_TRUE(program_) << "cannot start " << Narrow(executable);
    ASSERT_TRUE(WaitUntil([&] { return (form_ = FindForm(program_->Id())) != nullptr; }, kStartMs))
        << "the program made no form; exit code " << program_->WaitForExit(0);
    // The form can show before the hook is installed; the list is filled after it, and the program
    // answers a question from outside only once its start-up is over and its message loop runs.
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(Control(kKeyComboId), CB_GETCOUNT, 0, 0) == 75; }, kStartMs))
        << "the program did not finish its start";
    if (shown) {
      ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }, kStartMs)) << "the form stays hidden";
    }
  }

  HWND Control(int id) const { return GetDlgItem(form_, id); }
  HWND ComboEdit() const { return FindWindowExW(Control(kKeyComboId), nullptr, L"Edit", nullptr); }
  bool IsTicked() const { return SendMessageW(Control(kCtrlCheckId), BM_GETCHECK, 0, 0) == BST_CHECKED; }

  // A real click on the check box; waits until it has toggled.
  void ClickCheckBox() {
    const bool before = IsTicked();
    ASSERT_TRUE(ClickAt(Control(kCtrlCheckId), 6, 8));
    ASSERT_TRUE(WaitUntil([&] { return IsTicked() != before; })) << "the check box did not toggle";
  }

  // A real click on "保存"; answers the box the program shows for it (null when none came).
  HWND ClickSave() {
    if (!ClickCentreOf(Control(kSaveButtonId))) return nullptr;
    return WaitForNotice(program_->Id(), kBoxMs);
  }

  // Closes box with its OK button and waits until the form can be used again.
  void CloseBox(HWND box) {
    ConfirmNotice(box);
    ASSERT_TRUE(WaitUntil([&] { return IsWindow(box) == FALSE && IsWindowEnabled(form_) != FALSE; }, kBoxMs));
  }

  // Chooses the catalogue's item at index in the dropped list, all with real clicks: the list's
  // arrow, the wheel until the item is in sight, then the item.
  void ChooseFromList(int index) {
    RECT combo{};
    GetWindowRect(Control(kKeyComboId), &combo);
    ASSERT_TRUE(ClickAt(POINT{combo.right - 6, (combo.top + combo.bottom) / 2}));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(Control(kKeyComboId), CB_GETDROPPEDSTATE, 0, 0) != 0; }))
        << "the list did not drop";
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (list = DroppedList(program_->Id())) != nullptr; }));
    RECT client{};
    GetClientRect(list, &client);
    const int itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(itemHeight, 0);
    const int shown = client.bottom / itemHeight;
    for (int turns = 0;; ++turns) {
      const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
      if (index >= top && index < top + shown) {
        ASSERT_TRUE(ClickAt(list, client.right / 2, (index - top) * itemHeight + itemHeight / 2));
        return;
      }
      ASSERT_LT(turns, 20) << "the wheel does not bring the item into sight";
      ASSERT_TRUE(ClickAt(list, client.right / 2, client.bottom / 2, index < top ? 4 : 5));
      WaitUntil([&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0) != top; }, 2000);
    }
  }

  // Real typing into the combo box's edit field: a click into it, its old text selected and replaced.
  void TypeKeyName(const std::wstring& text) {
    ASSERT_TRUE(ClickAt(ComboEdit(), 10, 8));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form_; }));
    ASSERT_TRUE(RunXdotool(L"key End shift+Home type " + text));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(ComboEdit()) == text; }))
        << "the edit field shows " << Narrow(TextOf(ComboEdit()));
  }

  // A real click on the form's close button (found by asking the window where it is).
  void ClickCloseButton() {
    POINT closeButton{};
    ASSERT_TRUE(FindHit(CaptionHits(form_), HTCLOSE, closeButton)) << "the form has no close button";
    ASSERT_TRUE(ClickAt(closeButton));
  }

  static std::wstring ExpectedAutostart() { return L"\"" + ProgramPath() + L"\""; }

  static void ExpectStored(const wchar_t* code, const wchar_t* ctrl) {
    EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrcode")), Narrow(code));
    EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrctrl")), Narrow(ctrl));
    EXPECT_EQ(Narrow(ReadStoredText(kRunKey, L"an")), Narrow(ExpectedAutostart()));
  }

  static void ExpectSavedBox(HWND box) {
    ASSERT_NE(box, nullptr) << "no box after the save";
    const NoticeText shown = ReadNotice(box);
    EXPECT_EQ(Narrow(shown.caption), "提示");
    EXPECT_EQ(Narrow(shown.text), "保存成功");
  }

  StoredSettingsBackup backup_;  // declared first: restored after every process has ended
  KeyTarget target_;
  std::unique_ptr<HostProcess> program_;
  HWND form_ = nullptr;
};

TEST_F(ProgramBridgeAndSave, AMiddleClickSendsTheStoredKeyAndCtrlAsSoonAsTheBoxIsTicked) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(StartTarget());
  ASSERT_NO_FATAL_FAILURE(StartProgram(true));

  MiddleClickSeen seen = target_.MiddleClick();
  EXPECT_TRUE(seen.clickArrived) << "the click itself goes on to the target";
  EXPECT_EQ(seen.keys, kSpace) << "nothing stored: the space bar";

  ASSERT_NO_FATAL_FAILURE(ClickCheckBox());
  ASSERT_TRUE(IsTicked());
  seen = target_.MiddleClick();
  EXPECT_TRUE(seen.clickArrived);
  EXPECT_EQ(seen.keys, kSpaceWithCtrl) << "ticked, not saved: Ctrl goes with the key at once";
  EXPECT_EQ(ReadStoredText(kProgramSettingsKey, L"xrctrl"), std::nullopt) << "ticking stores nothing";

  ASSERT_NO_FATAL_FAILURE(ClickCheckBox());
  seen = target_.MiddleClick();
  EXPECT_TRUE(seen.clickArrived);
  EXPECT_EQ(seen.keys, kSpace) << "cleared again: the key alone";

  // Another program's change of the stored key counts from the next press.
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));
  seen = target_.MiddleClick();
  EXPECT_TRUE(seen.clickArrived);
  EXPECT_EQ(seen.keys, (Keys{"keydown 65", "keyup 65"}));
}

// Both boxes run their own message loop on the program's only thread, which serves the hook too.
TEST_F(ProgramBridgeAndSave, AMiddleClickSendsTheKeyWhileTheSaveConfirmationOrTheCloseQuestionIsOpen) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(StartTarget());
  ASSERT_NO_FATAL_FAILURE(StartProgram(true));

  const HWND saved = ClickSave();
  ASSERT_NO_FATAL_FAILURE(ExpectSavedBox(saved));
  MiddleClickSeen seen = target_.MiddleClick();
  EXPECT_TRUE(seen.clickArrived);
  EXPECT_EQ(seen.keys, kSpace) << "with the save confirmation open";
  ASSERT_TRUE(IsWindow(saved)) << "the box is still open";
  ASSERT_NO_FATAL_FAILURE(CloseBox(saved));

  ASSERT_NO_FATAL_FAILURE(ClickCloseButton());
  const HWND question = WaitForNotice(program_->Id(), kBoxMs);
  ASSERT_NE(question, nullptr) << "no close question";
  EXPECT_EQ(Narrow(ReadNotice(question).caption), "信息提示");
  seen = target_.MiddleClick();
  EXPECT_TRUE(seen.clickArrived);
  EXPECT_EQ(seen.keys, kSpace) << "with the close question open";
  ASSERT_TRUE(IsWindow(question)) << "the question is still open";
  ConfirmNotice(question);
  EXPECT_EQ(program_->WaitForExit(kBoxMs), 0u) << "OK ends the program";
}

TEST_F(ProgramBridgeAndSave, SavingStoresTheChosenKeyTheCtrlChoiceAndTheQuotedAutostartCommandEveryTime) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", std::nullopt));
  ASSERT_TRUE(SetStoredText(kRunKey, L"an", std::nullopt));
  ASSERT_NO_FATAL_FAILURE(StartTarget());
  ASSERT_NO_FATAL_FAILURE(StartProgram(true));

  ASSERT_NO_FATAL_FAILURE(ChooseFromList(32));
  ASSERT_TRUE(WaitUntil([&] { return TextOf(ComboEdit()) == L"F5键"; }))
      << "the list's choice shows " << Narrow(TextOf(ComboEdit()));
  ASSERT_NO_FATAL_FAILURE(ClickCheckBox());
  HWND box = ClickSave();
  ASSERT_NO_FATAL_FAILURE(ExpectSavedBox(box));
  ExpectStored(L"116", L"1");
  ASSERT_NO_FATAL_FAILURE(CloseBox(box));

  // Changed from outside in between: the next save writes all three again.
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", L"0"));
  ASSERT_TRUE(SetStoredText(kRunKey, L"an", L"C:\\elsewhere.exe"));
  box = ClickSave();
  ASSERT_NO_FATAL_FAILURE(ExpectSavedBox(box));
  ExpectStored(L"116", L"1");
  ASSERT_NO_FATAL_FAILURE(CloseBox(box));

  // The saved key counts from the next press.
  const MiddleClickSeen seen = target_.MiddleClick();
  EXPECT_TRUE(seen.clickArrived);
  EXPECT_EQ(seen.keys, (Keys{"keydown 17", "keydown 116", "keyup 17", "keyup 116"}));
}

// The form shows a stored key by the system's name, which the key-name parser may not know (under
// Wine 13 is "Return"), which may be empty (under Wine F13 and the Windows key have no name) or which
// the parser reads as another key (under Wine left Shift is "Shift", the generic 16). Saving without
// choosing again keeps the key; any other unknown text is none.
TEST_F(ProgramBridgeAndSave, SavingAnUnchangedKeyKeepsItWhileAnUnknownTypedNameStoresNone) {
  struct Case {
    const wchar_t* code;
    const char* shownName;  // what this Wine calls the key
  };
  const Case cases[] = {{L"124", ""}, {L"91", ""}, {L"160", "Shift"}, {L"13", "Return"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.code));
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", c.code));
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", std::nullopt));
    ASSERT_NO_FATAL_FAILURE(StartProgram(false));
    // A saved key: the program starts in the notification area; a double click brings the form.
    ASSERT_TRUE(WaitUntil([] { return NewestTrayIcon() != nullptr; }, kStartMs)) << "no tray icon";
    ASSERT_TRUE(ClickAt(wine_tray::CentreOf(NewestTrayIcon()), 1, 2));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; })) << "the double click did not show the form";

    const std::wstring shownName = SystemKeyName(static_cast<UINT>(std::wcstol(c.code, nullptr, 10)));
    ASSERT_EQ(Narrow(shownName), c.shownName) << "this Wine names the key otherwise: the case shows nothing";
    EXPECT_EQ(Narrow(TextOf(ComboEdit())), Narrow(shownName));
    HWND box = ClickSave();
    ASSERT_NO_FATAL_FAILURE(ExpectSavedBox(box));
    ExpectStored(c.code, L"0");
    ASSERT_NO_FATAL_FAILURE(CloseBox(box));
    if (c.code == cases[std::size(cases) - 1].code) {
      ASSERT_NO_FATAL_FAILURE(TypeKeyName(L"xyz"));
      box = ClickSave();
      ASSERT_NO_FATAL_FAILURE(ExpectSavedBox(box));
      ExpectStored(L"0", L"0");
      ASSERT_NO_FATAL_FAILURE(CloseBox(box));
    }
    program_.reset();
    ASSERT_TRUE(WaitUntil([] { return !AnyCopyRuns() && NewestTrayIcon() == nullptr; }, kStartMs));
  }
}

// A renamed executable (a browser saves a second download as "... (1).exe") registers itself, not a
// file of the usual name that does not exist.
TEST_F(ProgramBridgeAndSave, TheAutostartEntryNamesTheRunningExecutableWhateverItIsCalled) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  ASSERT_TRUE(SetStoredText(kRunKey, L"an", std::nullopt));
  const std::wstring renamed = DirectoryOf(ProgramPath()) + L"岚枫禾无线按钮扩展 (1).exe";
  ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), renamed.c_str(), FALSE)) << GetLastError();
  // The copy ends first, on every way out of the test, then its file goes.
  struct RemovedAtEnd {
    std::unique_ptr<HostProcess>& program;
    std::wstring path;
    ~RemovedAtEnd() {
      program.reset();
      WaitUntil([&] { return DeleteFileW(path.c_str()) != FALSE; }, 5000);
    }
  } removed{program_, renamed};
  ASSERT_NO_FATAL_FAILURE(StartProgram(true, renamed));

  const HWND box = ClickSave();
  ASSERT_NO_FATAL_FAILURE(ExpectSavedBox(box));
  EXPECT_EQ(Narrow(ReadStoredText(kRunKey, L"an")), Narrow(L"\"" + renamed + L"\""));
  ASSERT_NO_FATAL_FAILURE(CloseBox(box));
  program_.reset();
  ASSERT_TRUE(WaitUntil([] { return !AnyCopyRuns(); }, kStartMs));
}

}  // namespace
