// The notification-area icon that the shell refuses at first, as at log-on while the shell is still
// starting: a stand-in for the shell's call refuses adds as long as the test says, and passes
// everything else on to Wine's tray, where the icons are counted and their tips read.
// The main form runs the single-instance guard in this process, so it is created once, in one test.
#include "mainwindow/MainForm.h"
#include "mainwindow/TrayIconRetry.h"
#include "settings/DynamicImports.h"
#include "support/NamedEvents.h"
#include "support/StoredSettings.h"
#include "support/WindowTestSupport.h"
#include "support/WineTray.h"
#include "winframework/TrayIcon.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// How many more adds the shell refuses (-1: all); every add asked for, refused or not.
int g_refusals = 0;
int g_addsAsked = 0;

BOOL WINAPI StartingShell(DWORD message, PNOTIFYICONDATAW record) {
  if (message == NIM_ADD) ++g_addsAsked;
  if ((message == NIM_ADD || message == NIM_MODIFY) && g_refusals != 0) {
    if (message == NIM_ADD && g_refusals > 0) --g_refusals;
    return FALSE;
  }
  return Shell_NotifyIconW(message, record);
}

// The tips of the tray's icons.
std::vector<std::wstring> Tips() {
  std::vector<std::wstring> tips;
  for (const HWND icon : wine_tray::Icons()) tips.push_back(wine_tray::TipOf(icon).value_or(L"<no tooltip>"));
  return tips;
}

class RefusedTrayIcon : public WindowTest {
 protected:
  void SetUp() override {
    if (!wine_tray::RunningUnderWine()) GTEST_SKIP() << "Wine's own tray window is what these tests look at";
    ASSERT_TRUE(PumpUntil([] { return wine_tray::Icons().empty(); }, 3000)) << "another program's icon is in the tray";
    previous_ = SetShellNotifyCall(StartingShell);
    g_addsAsked = 0;
  }
  void TearDown() override {
    SetShellNotifyCall(previous_);
    g_refusals = 0;
    EXPECT_TRUE(PumpUntil([] { return wine_tray::Icons().empty(); }, 3000)) << "an icon outlived its form";
    WindowTest::TearDown();
  }

  ShellNotifyCall previous_ = nullptr;
};

struct PlainForm : CVolWinForm {
  int32_t GetDefaultClientWidth() override { return 100; }
  int32_t GetDefaultClientHeight() override { return 50; }
};

HICON NewIcon() { return CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)); }

// The retry with short times: it asks until the shell takes the icon, gives up after its limit, and
// stops when the form no longer wants an icon.
TEST_F(RefusedTrayIcon, TheRetryAsksUntilTheShellTakesTheIconWithinItsLimit) {
  struct Case {
    const char* name;
    int refusals;    // -1: the shell never takes it
    bool iconWanted;  // false: the form is shown again (its icon removed) after the first refusal
    bool added;
    int addsAsked;  // -1: more than one, fewer than the limit allows
  };
  const Case cases[] = {
      {"taken at the third add", 2, true, true, 3},
      {"never taken", -1, true, false, -1},
      {"not wanted any more", -1, false, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlainForm form;
    CVolWinCreateInfo info;
    ASSERT_EQ(form.Create(info), 1);
    g_refusals = c.refusals;
    g_addsAsked = 0;
    EXPECT_FALSE(form.FormAdapter()->SetTrayIcon(NewIcon(), L"retried")) << "the shell refused the add";
    EXPECT_TRUE(form.FormAdapter()->TrayIconMissing());
    TrayIconRetry retry(50, 600);
    retry.Start(form);
    EXPECT_TRUE(retry.Running());
    if (!c.iconWanted) form.FormAdapter()->SetTrayIcon(nullptr, nullptr);

    EXPECT_TRUE(PumpUntil([&] { return !retry.Running(); }, 3000)) << "the retry goes on past its limit";
    const int asked = g_addsAsked;
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(g_addsAsked, asked) << "asked again after it stopped";
    EXPECT_EQ(Tips(), c.added ? std::vector<std::wstring>{L"retried"} : std::vector<std::wstring>{});
    EXPECT_EQ(form.FormAdapter()->TrayIconMissing(), c.iconWanted && !c.added);
    if (c.addsAsked >= 0) {
      EXPECT_EQ(asked, c.addsAsked);
    } else {
      EXPECT_GT(asked, 2);
      EXPECT_LE(asked, 1 + 600 / 50);
    }
    form.FormAdapter()->DestroyWindow();
    PumpMessages();
  }
}

// The shell announces its rebuilt notification area: the refused icon is asked for at once.
TEST_F(RefusedTrayIcon, TaskbarCreatedAsksForARefusedIconAtOnce) {
  PlainForm form;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  g_refusals = -1;
  EXPECT_FALSE(form.FormAdapter()->SetTrayIcon(NewIcon(), L"announced"));
  g_refusals = 0;
  ASSERT_TRUE(PostMessageW(form.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0));
  EXPECT_TRUE(PumpUntil([] { return !wine_tray::Icons().empty(); }, 1000));
  EXPECT_EQ(Tips(), std::vector<std::wstring>{L"announced"});
  EXPECT_FALSE(form.FormAdapter()->TrayIconMissing());
  form.FormAdapter()->DestroyWindow();
  PumpMessages();
}

// The program started with a key saved while the shell refuses its first two adds: its icon with the
// program's tip arrives all the same, every two seconds asked again.
TEST_F(RefusedTrayIcon, TheProgramsFormGetsItsIconOnceTheShellIsReady) {
  const StoredSettingsBackup backup;
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"65"));  // the form starts in the tray
  ASSERT_FALSE(EventExists(L"重复运行")) << "a copy of the program runs: the guard would end this test";
  LoadDynamicImports();

  CBridgeMainForm form;
  g_refusals = 2;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  EXPECT_EQ(g_addsAsked, 1);
  EXPECT_TRUE(wine_tray::Icons().empty()) << "the shell refused the icon";

  EXPECT_TRUE(PumpUntil([] { return !wine_tray::Icons().empty(); }, 3 * TrayIconRetry::kIntervalMs + 2000))
      << "the refused icon was never asked for again";
  EXPECT_EQ(g_addsAsked, 3);
  EXPECT_EQ(Tips(), std::vector<std::wstring>{L"岚枫禾无线按钮扩展"});
  EXPECT_FALSE(IsWindowVisible(form.Handle()));

  form.FormAdapter()->DestroyWindow();
  PumpMessages();
}

}  // namespace
