// The real program's menu on its notification-area icon and its "/exit" command, under Wine with
// real input: right clicks on the icon and a click on an item (xdotool), the start at log-on switched
// both ways from the menu and followed by "保存", and "/exit" with and without a running copy. The
// settings are put back and every copy ends with the test.
#include "KeyTarget.h"
#include "ProgramDriver.h"
#include "settings/KernelHandle.h"
#include "support/HostProcess.h"
#include "support/Notices.h"
#include "support/ProcessWindows.h"
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

constexpr DWORD kBoxMs = 10000;

std::string Narrow(const std::optional<std::wstring>& text) {
  if (!text) return "(missing)";
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text->c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text->c_str(), -1, &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(bytes.size() - 1);
  return bytes;
}

// The popup menu process processId shows; null while none is shown.
HWND ShownMenu(DWORD processId) {
  for (const HWND window : TopLevelWindowsOf(processId)) {
    if (ClassIs(window, L"#32768") && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Where the items of the program's menu are. Another process's menu cannot be read under this Wine
// (its handle means nothing outside the process that made it): the places follow from the menu
// window's height, as the system lays out three text items of one height and a separator of half
// that height between a frame of SM_CYFIXEDFRAME above and below (measured in the test process
// with the same menu, see tray_menu_test).
enum MenuItemIndex { kShowFormItem = 0, kAutostartItem = 1, kExitItem = 3 };

POINT ItemPoint(HWND menuWindow, MenuItemIndex index) {
  RECT place{};
  GetWindowRect(menuWindow, &place);
  const double frame = GetSystemMetrics(SM_CYFIXEDFRAME);
  const double itemHeight = (place.bottom - place.top - 2 * frame) / 3.5;
  const double offsets[] = {0.5, 1.5, 2.25, 3.0};  // item middles, the separator counted as half an item
  const double y = place.top + frame + itemHeight * offsets[index];
  return POINT{(place.left + place.right) / 2, static_cast<LONG>(y)};
}

class ProgramTrayMenu : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(AnyCopyRuns()) << "a copy of the program is already running";
    trayBefore_ = wine_tray::Icons().size();
  }

  void TearDown() override {
    program_.reset();
    EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 5000))
        << "tray icons left behind";
  }

  // Starts the program with a key stored, so that it starts in the notification area; waits for its
  // icon and the end of its start-up.
  void StartInTray() {
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));
    program_ = HostProcess::Start(ProgramPath(), L"");
    ASSERT_TRUE(program_);
    ASSERT_TRUE(WaitForStartUp(program_->Id()));
    ASSERT_TRUE(WaitUntil([&] { return (form_ = FindForm(program_->Id())) != nullptr; }, kStartTimeoutMs));
    ASSERT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_ + 1; }, kStartTimeoutMs))
        << "no icon";
  }

  // A real right click on the program's icon; the menu it opens.
  HWND OpenMenu() {
    const HWND icon = NewestTrayIcon();
    if (icon == nullptr || !ClickAt(wine_tray::CentreOf(icon), 3)) return nullptr;
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = ShownMenu(program_->Id())) != nullptr; }, 5000);
    return menu;
  }

  // Opens the menu and clicks the item, for real.
  void Choose(MenuItemIndex item) {
    const HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr) << "the right click opened no menu";
    ASSERT_TRUE(ClickAt(ItemPoint(menu, item)));
    ASSERT_TRUE(WaitUntil([&] { return ShownMenu(program_->Id()) == nullptr; }, 5000)) << "the menu stayed";
  }

  // A real click beside the menu, on a window of another process (this Wine sees clicks only where
  // they land on one of its windows); true once the menu has closed.
  bool ClickBeside(HWND menu) {
    if (target_.Window() == nullptr && !target_.Start()) return false;
    RECT place{};
    GetWindowRect(menu, &place);
    const POINT at = target_.ClickPoint();
    if (PtInRect(&place, at)) return false;
    return ClickAt(at) && WaitUntil([&] { return ShownMenu(program_->Id()) == nullptr; }, 5000);
  }

  static std::wstring ExpectedAutostart() { return L"\"" + DirectoryOf(ProgramPath()) + L"岚枫禾无线按钮扩展.exe\""; }

  StoredSettingsBackup backup_;  // declared first: restored after the program has ended
  KeyTarget target_;
  std::unique_ptr<HostProcess> program_;
  HWND form_ = nullptr;
  size_t trayBefore_ = 0;
};

TEST_F(ProgramTrayMenu, ARightClickOpensTheMenuAtThePointerAndAClickElsewhereClosesIt) {
  ASSERT_NO_FATAL_FAILURE(StartInTray());
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    const HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr) << "the right click opened no menu";
    RECT place{};
    GetWindowRect(menu, &place);
    const POINT icon = wine_tray::CentreOf(NewestTrayIcon());
    EXPECT_EQ(place.left, icon.x);
    EXPECT_EQ(place.top, icon.y);
    // Four entries: three items and a separator of half an item's height.
    const int itemHeight = GetSystemMetrics(SM_CYMENU) - 1;
    EXPECT_NEAR(place.bottom - place.top, 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 3.5 * itemHeight, 2);

    // A click elsewhere closes it and chooses nothing.
    EXPECT_TRUE(ClickBeside(menu)) << "the menu stayed open";
    EXPECT_TRUE(program_->IsRunning());
    EXPECT_FALSE(IsWindowVisible(form_));
    EXPECT_EQ(wine_tray::Icons().size(), trayBefore_ + 1);
    EXPECT_EQ(FindNotice(program_->Id()), nullptr);
  }
}

TEST_F(ProgramTrayMenu, ShowSettingsShowsTheFormAndTakesTheIconAway) {
  ASSERT_NO_FATAL_FAILURE(StartInTray());
  ASSERT_NO_FATAL_FAILURE(Choose(kShowFormItem));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }, 5000)) << "the form stayed hidden";
  EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 5000)) << "the icon stayed";
  EXPECT_TRUE(program_->IsRunning());
}

TEST_F(ProgramTrayMenu, ExitEndsTheProgramAtOnceWithZeroWithoutAQuestion) {
  ASSERT_NO_FATAL_FAILURE(StartInTray());
  ASSERT_NO_FATAL_FAILURE(Choose(kExitItem));
  EXPECT_EQ(FindNotice(program_->Id()), nullptr) << "a question came up";
  EXPECT_EQ(program_->WaitForExit(5000), 0u);
  EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 5000)) << "the icon stayed";
  EXPECT_FALSE(AnyCopyRuns());
}

TEST_F(ProgramTrayMenu, TheAutostartItemSwitchesTheChoiceAndTheRunValueBothWays) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrautorun", std::nullopt));
  ASSERT_TRUE(SetStoredText(kRunKey, L"an", L"C:\\elsewhere.exe"));
  ASSERT_NO_FATAL_FAILURE(StartInTray());

  ASSERT_NO_FATAL_FAILURE(Choose(kAutostartItem));
  EXPECT_TRUE(WaitUntil([] { return !ReadStoredText(kRunKey, L"an"); }, 5000))
      << "\"an\" stayed: " << Narrow(ReadStoredText(kRunKey, L"an"));
  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrautorun")), "0");

  ASSERT_NO_FATAL_FAILURE(Choose(kAutostartItem));
  EXPECT_TRUE(WaitUntil([] { return ReadStoredText(kRunKey, L"an").has_value(); }, 5000)) << "no \"an\"";
  EXPECT_EQ(Narrow(ReadStoredText(kRunKey, L"an")), Narrow(ExpectedAutostart()));
  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrautorun")), "1");

  // The key was not touched, and nothing was asked.
  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrcode")), "65");
  EXPECT_EQ(FindNotice(program_->Id()), nullptr) << "a box came up";
  EXPECT_TRUE(program_->IsRunning());
}

TEST_F(ProgramTrayMenu, SavingWithTheStartAtLogOnOffDeletesTheRunValue) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrautorun", L"0"));
  ASSERT_TRUE(SetStoredText(kRunKey, L"an", ExpectedAutostart()));
  ASSERT_NO_FATAL_FAILURE(StartInTray());
  ASSERT_NO_FATAL_FAILURE(Choose(kShowFormItem));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }, 5000));

  ASSERT_TRUE(ClickCentreOf(GetDlgItem(form_, 102)));
  const HWND box = WaitForNotice(program_->Id(), kBoxMs);
  ASSERT_NE(box, nullptr) << "no box after the save";
  EXPECT_EQ(Narrow(ReadNotice(box).text), "保存成功");
  EXPECT_EQ(Narrow(ReadStoredText(kRunKey, L"an")), "(missing)");
  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrautorun")), "0");
  EXPECT_EQ(Narrow(ReadStoredText(kProgramSettingsKey, L"xrcode")), "65");
  ConfirmNotice(box);
}

// "/exit" from another process, as the installer and the uninstaller run it.
class ExitCommand : public ProgramTrayMenu {
 protected:
  // Runs "program /exit"; its exit code, or STILL_ACTIVE when it does not end within timeoutMs.
  static DWORD RunExitCommand(DWORD timeoutMs, DWORD& tookMs) {
    const DWORD start = GetTickCount();
    const std::unique_ptr<HostProcess> command = HostProcess::Start(ProgramPath(), L"/exit");
    if (!command) return STILL_ACTIVE;
    const DWORD code = command->WaitForExit(timeoutMs);
    tookMs = GetTickCount() - start;
    return code;
  }
};

TEST_F(ExitCommand, WithNoCopyRunningItAnswersZeroAtOnce) {
  DWORD took = 0;
  EXPECT_EQ(RunExitCommand(10000, took), 0u);
  EXPECT_LT(took, 3000u) << "it waited for nothing";
  EXPECT_FALSE(AnyCopyRuns());
  EXPECT_EQ(wine_tray::Icons().size(), trayBefore_);
}

TEST_F(ExitCommand, ACopyThatDoesNotEndWithinFiveSecondsIsReportedWithOne) {
  // Something that holds the single-instance event and cannot be asked to end: a copy still in its
  // start-up, or an older program without "/exit".
  const KernelHandle holder(CreateEventW(nullptr, TRUE, FALSE, L"重复运行"));
  ASSERT_TRUE(holder);
  DWORD took = 0;
  EXPECT_EQ(RunExitCommand(15000, took), 1u);
  EXPECT_GE(took, 5000u);
  EXPECT_LT(took, 9000u);
}

TEST_F(ExitCommand, ARunningCopyEndsWithZeroWithoutAQuestionShownOrInTheTray) {
  struct Case {
    const char* name;
    const wchar_t* storedKey;  // null: the copy shows its form
  };
  for (const Case& c : {Case{"in the tray", L"65"}, Case{"form shown", nullptr}}) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode",
                              c.storedKey != nullptr ? std::optional<std::wstring>(c.storedKey) : std::nullopt));
    program_ = HostProcess::Start(ProgramPath(), L"");
    ASSERT_TRUE(program_);
    ASSERT_TRUE(WaitForStartUp(program_->Id()));
    ASSERT_TRUE(WaitUntil([&] { return (form_ = FindForm(program_->Id())) != nullptr; }, kStartTimeoutMs));
    ASSERT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_ + (c.storedKey ? 1 : 0); }, 5000));

    DWORD took = 0;
    EXPECT_EQ(RunExitCommand(10000, took), 0u);
    EXPECT_LE(took, 5000u);
    // Ended by the time the command answers, with 0, its icon gone and no question asked.
    EXPECT_EQ(program_->WaitForExit(0), 0u);
    EXPECT_FALSE(AnyCopyRuns());
    EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 2000)) << "the icon stayed";
    program_.reset();
  }
}

TEST_F(ExitCommand, ACopyAskingItsCloseQuestionOrShowingItsMenuEndsWithZeroToo) {
  ASSERT_NO_FATAL_FAILURE(StartInTray());
  // The menu open: the request arrives while the menu's own loop runs.
  ASSERT_NE(OpenMenu(), nullptr);
  DWORD took = 0;
  EXPECT_EQ(RunExitCommand(10000, took), 0u);
  EXPECT_EQ(program_->WaitForExit(0), 0u);
  EXPECT_TRUE(WaitUntil([&] { return wine_tray::Icons().size() == trayBefore_; }, 2000)) << "the icon stayed";

  // The close question open: the request arrives while the question's own loop runs.
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  program_ = HostProcess::Start(ProgramPath(), L"");
  ASSERT_TRUE(program_);
  ASSERT_TRUE(WaitForStartUp(program_->Id()));
  ASSERT_TRUE(WaitUntil([&] { return (form_ = FindForm(program_->Id())) != nullptr && IsWindowVisible(form_); },
                        kStartTimeoutMs));
  PostMessageW(form_, WM_CLOSE, 0, 0);
  ASSERT_NE(WaitForNotice(program_->Id(), kBoxMs), nullptr) << "no close question";
  EXPECT_EQ(RunExitCommand(10000, took), 0u);
  EXPECT_EQ(program_->WaitForExit(0), 0u);
  EXPECT_FALSE(AnyCopyRuns());
  EXPECT_EQ(wine_tray::Icons().size(), trayBefore_);
}

}  // namespace
