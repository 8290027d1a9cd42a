// The real program under Wine from its start to its end, driven with real clicks and keys: the first
// start, the close question and the tray, a start with a key saved, a second copy, the end of the
// session. Every copy runs in the tests' job and ends with the test at the latest; the settings and
// the autostart value are put back after every test.
#include "KeyTarget.h"
#include "ProgramDriver.h"
#include "support/HostProcess.h"
#include "support/Notices.h"
#include "support/StoredSettings.h"
#include "support/WineTray.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace e2e;

constexpr wchar_t kCloseQuestion[] = L"【确认】即退出\n【取消】最小化？";
constexpr wchar_t kCloseQuestionCaption[] = L"信息提示";

// A stored setting's text; none for null.
std::optional<std::wstring> SettingText(const wchar_t* text) {
  return text != nullptr ? std::optional<std::wstring>(text) : std::nullopt;
}

// A window's class and process, for a failure message.
std::string Describe(HWND window) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return testing::PrintToString(std::wstring(className)) + " of process " + std::to_string(process);
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(AnyCopyRuns()) << "a copy of the program is already running";
    trayBefore_ = wine_tray::Icons().size();
  }

  void TearDown() override {
    // The copies end here, before the settings are put back; an icon of a copy that ended without
    // removing it goes with its process.
    copies_.clear();
    EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 5000))
        << "tray icons left behind: " << wine_tray::Icons().size() - trayBefore_;
  }

  // Starts one more copy of the program; null when it cannot be started.
  HostProcess* StartCopy() {
    copies_.push_back(HostProcess::Start(ProgramPath(), L""));
    return copies_.back().get();
  }

  // The copy's form once its start-up is over (the copy waits for input in its message loop) and it
  // exists (and, when asked, is shown).
  static HWND WaitForForm(const HostProcess& copy, bool shown) {
    if (!WaitForStartUp(copy.Id())) return nullptr;
    HWND form = nullptr;
    WaitUntil([&] { return (form = FindForm(copy.Id())) != nullptr && (!shown || IsWindowVisible(form)); },
              kStartTimeoutMs);
    return form;
  }

  bool WaitForTrayCount(size_t added) {
    return WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_ + added; }, 5000);
  }

  // A window of another process that writes the mouse and key messages it receives; the keys the
  // program sends go there.
  HWND StartTarget() { return target_.Start() ? target_.Window() : nullptr; }

  // A real middle click over the target; the key lines the target wrote for it, in order, or
  // "no click" and what was where when the click itself did not arrive.
  std::vector<std::string> MiddleClickKeys(HWND target) {
    const MiddleClickSeen seen = target_.MiddleClick();
    if (seen.clickArrived) return seen.keys;
    return {"no click", "under the pointer: " + Describe(WindowFromPoint(target_.ClickPoint())),
            "target: " + Describe(target), "foreground: " + Describe(GetForegroundWindow())};
  }

  StoredSettingsBackup settings_;
  std::vector<std::unique_ptr<HostProcess>> copies_;
  KeyTarget target_;
  size_t trayBefore_ = 0;
};

TEST_F(ProgramTest, FirstStartShowsTheCentredFixedFormWithTheKeyListAndNoIcon) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", std::nullopt));
  HostProcess* copy = StartCopy();
  ASSERT_NE(copy, nullptr);
  const HWND form = WaitForForm(*copy, true);
  ASSERT_NE(form, nullptr) << "the form was not shown";

  wchar_t title[64] = {};
  GetWindowTextW(form, title, 64);
  EXPECT_STREQ(title, kProgramTitle);

  RECT client{};
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, 256);
  EXPECT_EQ(client.bottom, 106);
  RECT outer{};
  GetWindowRect(form, &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);

  const LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & WS_SYSMENU, WS_SYSMENU);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_EQ(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, WS_EX_CONTROLPARENT);
  // The frame as the system hit-tests it: a close button, no minimise or maximise box, no edge that
  // sizes.
  const std::vector<CaptionHit> caption = CaptionHits(form);
  POINT at{};
  EXPECT_TRUE(FindHit(caption, HTCLOSE, at));
  EXPECT_TRUE(FindHit(caption, HTCAPTION, at));
  EXPECT_FALSE(FindHit(caption, HTMINBUTTON, at));
  EXPECT_FALSE(FindHit(caption, HTMAXBUTTON, at));
  const int middleY = (outer.top + outer.bottom) / 2;
  const int middleX = (outer.left + outer.right) / 2;
  for (const POINT edge : {POINT{outer.left, middleY}, POINT{outer.right - 1, middleY},
                           POINT{middleX, outer.bottom - 1}, POINT{outer.right - 1, outer.bottom - 1}}) {
    const LRESULT hit = Ask(form, WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y));
    EXPECT_TRUE(hit < HTSIZEFIRST || hit > HTSIZELAST) << "edge at " << edge.x << "," << edge.y << " sizes: " << hit;
  }

  struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    RECT place;
  };
  // The combo box keeps the class's own height for its closed state, whatever height was asked for.
  const Control controls[] = {{101, L"ComboBox", nullptr, {29, 14, 29 + 112, 0}},
                              {102, L"Button", L"保存", {157, 6, 157 + 88, 6 + 32}},
                              {103, L"Button", L"启用组合键(Ctrl+组合键)", {29, 46, 29 + 184, 46 + 16}},
                              {104, L"Button", L"只响应无线按钮", {29, 68, 29 + 104, 68 + 16}},
                              {105, L"Static", L"", {134, 69, 134 + 121, 69 + 30}}};
  for (const Control& expected : controls) {
    SCOPED_TRACE(expected.id);
    const HWND control = GetDlgItem(form, expected.id);
    ASSERT_NE(control, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    EXPECT_STREQ(className, expected.className);
    const RECT place = PlaceInParent(control);
    EXPECT_EQ(place.left, expected.place.left);
    EXPECT_EQ(place.top, expected.place.top);
    EXPECT_EQ(place.right, expected.place.right);
    if (expected.place.bottom != 0) {
      EXPECT_EQ(place.bottom, expected.place.bottom);
    }
    if (expected.text != nullptr) {
      EXPECT_EQ(TextOf(control), expected.text);
    }
  }

  const HWND combo = GetDlgItem(form, 101);
  const std::vector<std::wstring> keys = ComboItems(combo);
  ASSERT_EQ(keys.size(), 75u);
  EXPECT_EQ(keys.front(), L"空格键");
  EXPECT_EQ(keys.back(), L"无");
  // Nothing stored: the system's name of key 32, the space bar.
  EXPECT_FALSE(SystemKeyName(VK_SPACE).empty());
  EXPECT_EQ(TextOf(combo), SystemKeyName(VK_SPACE));
  EXPECT_EQ(Ask(GetDlgItem(form, 103), BM_GETCHECK), BST_UNCHECKED);

  EXPECT_EQ(wine_tray::Icons().size(), trayBefore_);
  EXPECT_TRUE(copy->IsRunning());
}

TEST_F(ProgramTest, CancelGoesToTheTrayADoubleClickComesBackEscAsksAndOkEndsWithZero) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  HostProcess* copy = StartCopy();
  ASSERT_NE(copy, nullptr);
  const HWND form = WaitForForm(*copy, true);
  ASSERT_NE(form, nullptr);

  // The close button of the title bar.
  POINT closeButton{};
  ASSERT_TRUE(FindHit(CaptionHits(form), HTCLOSE, closeButton));
  ASSERT_TRUE(ClickAt(closeButton));
  HWND question = WaitForNotice(copy->Id(), 5000);
  ASSERT_NE(question, nullptr) << "no close question";
  NoticeText asked = ReadNotice(question);
  EXPECT_EQ(asked.caption, kCloseQuestionCaption);
  EXPECT_EQ(asked.text, kCloseQuestion);
  EXPECT_EQ(GetWindow(question, GW_OWNER), form);
  ASSERT_TRUE(ClickCentreOf(GetDlgItem(question, IDCANCEL)));

  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }, 5000)) << "Cancel left the form shown";
  EXPECT_TRUE(WaitForTrayCount(1)) << "not one icon: " << wine_tray::Icons().size() - trayBefore_;
  EXPECT_FALSE(IsWindow(question));
  EXPECT_TRUE(copy->IsRunning());

  const HWND icon = NewestTrayIcon();
  ASSERT_NE(icon, nullptr);
  ASSERT_TRUE(ClickAt(wine_tray::CentreOf(icon), 1, 2));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != FALSE; }, 5000)) << "the double click did not show it";
  EXPECT_TRUE(WaitForTrayCount(0)) << "the icon stayed";

  // Esc in the form, once the user has clicked into it.
  RECT client{};
  GetClientRect(form, &client);
  POINT blank{client.right - 10, client.bottom - 8};  // right of the check box, below the button
  ClientToScreen(form, &blank);
  ASSERT_TRUE(ClickAt(blank));
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form; }, 5000)) << "the click did not activate it";
  ASSERT_TRUE(PressKey(L"Escape"));
  question = WaitForNotice(copy->Id(), 5000);
  ASSERT_NE(question, nullptr) << "Esc did not ask";
  asked = ReadNotice(question);
  EXPECT_EQ(asked.caption, kCloseQuestionCaption);
  EXPECT_EQ(asked.text, kCloseQuestion);

  ASSERT_TRUE(ClickCentreOf(GetDlgItem(question, IDOK)));
  EXPECT_EQ(copy->WaitForExit(10000), 0u);
  EXPECT_EQ(wine_tray::Icons().size(), trayBefore_);
}

TEST_F(ProgramTest, TheEndOfTheSessionIsAllowedWithoutAQuestion) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  HostProcess* copy = StartCopy();
  ASSERT_NE(copy, nullptr);
  const HWND form = WaitForForm(*copy, true);
  ASSERT_NE(form, nullptr);

  EXPECT_EQ(Ask(form, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  Sleep(500);  // a question would be up by now
  EXPECT_EQ(FindNotice(copy->Id()), nullptr) << "a message box came up";
  EXPECT_TRUE(IsWindowVisible(form));
  EXPECT_TRUE(copy->IsRunning());
}

TEST_F(ProgramTest, AStartWithAKeySavedStaysInTheTrayWithCtrlAlreadyOn) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", L"1"));
  const HWND target = StartTarget();
  ASSERT_NE(target, nullptr) << "the key target did not come up";

  HostProcess* copy = StartCopy();
  ASSERT_NE(copy, nullptr);
  ASSERT_TRUE(WaitForTrayCount(1)) << "not one icon: " << wine_tray::Icons().size() - trayBefore_;
  const HWND form = WaitForForm(*copy, false);
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(HasVisibleWindow(copy->Id()));

  // Before the form was ever shown, the press already comes with Ctrl: Ctrl down, the key down,
  // Ctrl up, the key up.
  EXPECT_EQ(MiddleClickKeys(target), (std::vector<std::string>{"keydown 17", "keydown 65", "keyup 17", "keyup 65"}));
  EXPECT_FALSE(HasVisibleWindow(copy->Id()));

  ASSERT_TRUE(ClickAt(wine_tray::CentreOf(NewestTrayIcon()), 1, 2));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != FALSE; }, 5000)) << "the double click did not show it";
  EXPECT_TRUE(WaitForTrayCount(0));
  EXPECT_EQ(Ask(GetDlgItem(form, 103), BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(TextOf(GetDlgItem(form, 101)), SystemKeyName('A'));
}

// The icon in Wine's tray carries the program's tip; a single left click on it leaves the form hidden,
// while a double click afterwards still shows it: the clicks reach the program. (A right click opens
// the icon's menu and leaves the form hidden too: see the tray menu's tests.)
TEST_F(ProgramTest, TheIconShowsTheProgramsTipAndOnlyADoubleClickOnItShowsTheForm) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));
  HostProcess* copy = StartCopy();
  ASSERT_NE(copy, nullptr);
  ASSERT_TRUE(WaitForTrayCount(1)) << "not one icon: " << wine_tray::Icons().size() - trayBefore_;
  const HWND form = WaitForForm(*copy, false);
  ASSERT_NE(form, nullptr);
  const HWND icon = NewestTrayIcon();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(wine_tray::TipOf(icon), std::optional<std::wstring>(kProgramTitle));

  ASSERT_TRUE(ClickAt(wine_tray::CentreOf(icon), 1, 1));
  // Longer than a double click takes: what the click does has been done.
  Sleep(GetDoubleClickTime() + 500);
  EXPECT_FALSE(HasVisibleWindow(copy->Id())) << "the click showed a window";
  EXPECT_EQ(wine_tray::Icons().size(), trayBefore_ + 1);
  ASSERT_TRUE(ClickAt(wine_tray::CentreOf(icon), 1, 2));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form) != FALSE; }, 5000)) << "the double click did not show it";
  EXPECT_TRUE(WaitForTrayCount(0));
}

TEST_F(ProgramTest, OnlyAStoredCtrlChoiceOfOneTicksTheBox) {
  const HWND target = StartTarget();
  ASSERT_NE(target, nullptr) << "the key target did not come up";
  struct Case {
    const wchar_t* stored;  // null: no value
    LRESULT check;
    std::vector<std::string> keys;
  };
  const std::vector<std::string> alone{"keydown 65", "keyup 65"};
  const Case cases[] = {{L"0", BST_UNCHECKED, alone},
                        {L"17", BST_UNCHECKED, alone},
                        {L"2", BST_UNCHECKED, alone},
                        {nullptr, BST_UNCHECKED, alone},
                        {L"1", BST_CHECKED, {"keydown 17", "keydown 65", "keyup 17", "keyup 65"}}};
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored != nullptr ? testing::PrintToString(std::wstring(c.stored)) : std::string("missing"));
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrctrl", SettingText(c.stored)));
    HostProcess* copy = StartCopy();
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(WaitForTrayCount(1));
    const HWND form = WaitForForm(*copy, false);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Ask(GetDlgItem(form, 103), BM_GETCHECK), c.check);
    EXPECT_EQ(MiddleClickKeys(target), c.keys);
    copies_.clear();
    ASSERT_TRUE(WaitUntil([] { return !AnyCopyRuns(); }, 5000));
    ASSERT_TRUE(WaitForTrayCount(0));
  }
}

TEST_F(ProgramTest, ASecondCopyShowsTheNoticeEndsWithZeroAndLeavesTheFirstAsItWas) {
  struct Case {
    const char* name;
    const wchar_t* storedKey;  // null: nothing stored, the first copy shows its form
  };
  for (const Case& c : {Case{"first copy shown", nullptr}, Case{"first copy in the tray", L"65"}}) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", SettingText(c.storedKey)));
    const bool shown = c.storedKey == nullptr;
    HostProcess* first = StartCopy();
    ASSERT_NE(first, nullptr);
    const HWND form = WaitForForm(*first, shown);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitForTrayCount(shown ? 0 : 1));

    HostProcess* second = StartCopy();
    ASSERT_NE(second, nullptr);
    const HWND notice = WaitForNotice(second->Id(), kStartTimeoutMs);
    ASSERT_NE(notice, nullptr) << "the second copy showed no notice";
    // The second copy waits inside its guard now, and has added no icon before it: Windows would
    // keep such an icon, dead, after the copy ended.
    EXPECT_EQ(wine_tray::Icons().size(), trayBefore_ + (shown ? 0 : 1)) << "the second copy added an icon";
    const NoticeText text = ReadNotice(notice);
    EXPECT_EQ(text.caption, L"友情提醒");
    EXPECT_EQ(text.text, L"对不起, 该进程已打开! ");
    ASSERT_TRUE(ClickCentreOf(GetDlgItem(notice, IDOK)));
    EXPECT_EQ(second->WaitForExit(10000), 0u);

    EXPECT_TRUE(WaitForTrayCount(shown ? 0 : 1)) << "icons now: " << wine_tray::Icons().size() - trayBefore_;
    EXPECT_TRUE(first->IsRunning());
    EXPECT_EQ(FindForm(first->Id()), form);
    EXPECT_EQ(IsWindowVisible(form) != FALSE, shown);
    EXPECT_EQ(FindNotice(first->Id()), nullptr);
    copies_.clear();
    ASSERT_TRUE(WaitUntil([] { return !AnyCopyRuns(); }, 5000));
    ASSERT_TRUE(WaitForTrayCount(0));
  }
}

}  // namespace
