// The notification-area menu shown in the test process, over a window of the test's own: its items
// as the user sees them (texts, the bold default, the check mark, the separator, their places) and a
// real click beside it (xdotool), which closes it choosing nothing. The menu is read and clicked from
// a second thread while the first waits in the menu's own loop.
#include "mainwindow/TrayMenu.h"
#include "support/ProcessWindows.h"
#include "support/RealInput.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct SeenItem {
  std::wstring text;
  bool separator = false;
  bool checked = false;
  bool isDefault = false;
  RECT place{};
};

struct SeenMenu {
  bool shown = false;
  std::vector<SeenItem> items;
  RECT window{};
};

HWND ShownMenu() {
  for (const HWND window : TopLevelWindowsOf(GetCurrentProcessId())) {
    if (ClassIs(window, L"#32768") && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

SeenMenu ReadMenu(HWND menuWindow) {
  SeenMenu seen;
  seen.shown = true;
  GetWindowRect(menuWindow, &seen.window);
  const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    SeenItem item;
    wchar_t text[64] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 64;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    item.text = text;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.checked = (info.fState & MFS_CHECKED) != 0;
    item.isDefault = (info.fState & MFS_DEFAULT) != 0;
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item.place);
    seen.items.push_back(item);
  }
  return seen;
}

class TrayMenuTest : public testing::Test {
 protected:
  // A shown window of the test's own under the menu, one for all cases: this Wine sees a click only
  // where it lands on one of its windows.
  static void SetUpTestSuite() {
    owner_ = CreateWindowExW(0, L"STATIC", L"tray menu owner", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, 700, 500,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(owner_); }
  void SetUp() override {
    ASSERT_TRUE(XdotoolAvailable());
    ASSERT_NE(owner_, nullptr);
  }

  // Opens the menu; from a second thread reads it once shown and clicks beside it. The menu's answer.
  // (Real clicks on the items of a menu of the clicking test's own process do not choose them under
  // this Wine; the program's end-to-end tests click its items.)
  TrayMenuChoice OpenAndClick(bool autostartOn, SeenMenu& seen) {
    // The menu opens at the pointer.
    if (!RunXdotool(std::string("mousemove 300 250"))) return TrayMenuChoice::kNone;
    std::thread chooser([&] {
      const DWORD start = GetTickCount();
      HWND menuWindow = nullptr;
      while ((menuWindow = ShownMenu()) == nullptr && GetTickCount() - start < 5000) Sleep(10);
      if (menuWindow == nullptr) return;
      seen = ReadMenu(menuWindow);
      const POINT at{seen.window.right + 100, seen.window.bottom + 100};
      RunXdotool(L"mousemove " + std::to_wstring(at.x) + L" " + std::to_wstring(at.y) + L" click 1");
    });
    const TrayMenuChoice choice = ShowTrayMenu(owner_, autostartOn);
    chooser.join();
    // The rest of the click (its button release) is handled here, as the program's loop would, before
    // the next menu opens.
    const DWORD settle = GetTickCount();
    while (GetTickCount() - settle < 300) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) DispatchMessageW(&msg);
      Sleep(10);
    }
    return choice;
  }

  static HWND owner_;
};

HWND TrayMenuTest::owner_ = nullptr;

TEST_F(TrayMenuTest, ShowsTheFourEntriesWithTheDefaultBoldAndTheCheckFollowingTheChoiceAndAClickBesideChoosesNothing) {
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on ? "autostart on" : "autostart off");
    SeenMenu seen;
    EXPECT_EQ(static_cast<int>(OpenAndClick(on, seen)), static_cast<int>(TrayMenuChoice::kNone));
    ASSERT_TRUE(seen.shown) << "no menu came up";
    ASSERT_EQ(seen.items.size(), 4u);
    EXPECT_EQ(seen.items[0].text, L"显示设置");
    EXPECT_TRUE(seen.items[0].isDefault);
    EXPECT_FALSE(seen.items[0].checked);
    EXPECT_EQ(seen.items[1].text, L"开机自动启动");
    EXPECT_EQ(seen.items[1].checked, on);
    EXPECT_FALSE(seen.items[1].isDefault);
    EXPECT_TRUE(seen.items[2].separator);
    EXPECT_EQ(seen.items[3].text, L"退出");
    EXPECT_FALSE(seen.items[3].isDefault);
    EXPECT_FALSE(seen.items[3].checked);
    // Opened at the pointer.
    EXPECT_EQ(seen.window.left, 300);
    EXPECT_EQ(seen.window.top, 250);
    // Three items of one height and a separator of half that height between a frame of
    // SM_CYFIXEDFRAME above and below: the places the program's end-to-end tests click.
    const LONG itemHeight = seen.items[0].place.bottom - seen.items[0].place.top;
    EXPECT_EQ(itemHeight, GetSystemMetrics(SM_CYMENU) - 1);
    EXPECT_EQ(seen.items[2].place.bottom - seen.items[2].place.top, itemHeight / 2);
    EXPECT_EQ(seen.items[0].place.top - seen.window.top, GetSystemMetrics(SM_CYFIXEDFRAME));
    EXPECT_EQ(seen.window.bottom - seen.items[3].place.bottom, GetSystemMetrics(SM_CYFIXEDFRAME));
    EXPECT_EQ(ShownMenu(), nullptr) << "the menu stayed";
  }
}

}  // namespace
