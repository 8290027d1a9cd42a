// The record handed to the shell for the form's icon: its fixed fields, the flags and callback of an
// add or change, and the tip cut to 126 units.
#include "winframework/FrameworkMessages.h"
#include "winframework/TrayIcon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Never used as handles: the record only carries them.
const HWND kWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x10020));
const HICON kIcon = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x30040));

// Digits with a Chinese character at every tenth place: each character one UTF-16 unit.
std::wstring TextOfUnits(size_t units) {
  std::wstring text;
  for (size_t i = 0; i < units; ++i) text += i % 10 == 9 ? L'枫' : static_cast<wchar_t>(L'0' + i % 10);
  return text;
}

bool AllZero(const void* bytes, size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  for (size_t i = 0; i < size; ++i) {
    if (p[i] != 0) return false;
  }
  return true;
}

TEST(NotifyIconRecordTest, FixedFieldsFlagsCallbackAndTip) {
  const std::wstring units200 = TextOfUnits(200);
  const std::wstring units126 = TextOfUnits(126);
  const std::wstring units127 = TextOfUnits(127);
  const struct {
    const char* what;
    HICON icon;
    const wchar_t* tip;
    UINT flags;
    UINT callback;
    std::wstring shownTip;
  } cases[] = {
      {"the program's tip", kIcon, L"岚枫禾无线按钮扩展", 7, WM_VOL_TRAYNOTIFY, L"岚枫禾无线按钮扩展"},
      {"removal", nullptr, L"岚枫禾无线按钮扩展", 0, 0, L"岚枫禾无线按钮扩展"},
      {"200 units", kIcon, units200.c_str(), 7, WM_VOL_TRAYNOTIFY, units200.substr(0, 126)},
      {"127 units", kIcon, units127.c_str(), 7, WM_VOL_TRAYNOTIFY, units126},
      {"126 units", kIcon, units126.c_str(), 7, WM_VOL_TRAYNOTIFY, units126},
      {"empty tip", kIcon, L"", 7, WM_VOL_TRAYNOTIFY, L""},
      {"no tip", kIcon, nullptr, 7, WM_VOL_TRAYNOTIFY, L""},
      {"removal without tip", nullptr, nullptr, 0, 0, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const NOTIFYICONDATAW record = MakeNotifyIconRecord(kWindow, c.icon, c.tip);
    EXPECT_EQ(record.cbSize, 968u);
    EXPECT_EQ(record.hWnd, kWindow);
    EXPECT_EQ(record.uID, 100u);
    EXPECT_EQ(record.uVersion, 3u);
    EXPECT_EQ(record.uFlags, c.flags);
    EXPECT_EQ(record.uCallbackMessage, c.callback);
    EXPECT_EQ(record.hIcon, c.icon);
    EXPECT_EQ(std::wstring(record.szTip), c.shownTip);
    // Terminated, and nothing left behind the text in the 128 units of the field.
    EXPECT_TRUE(AllZero(record.szTip + c.shownTip.size(), sizeof record.szTip - c.shownTip.size() * sizeof(wchar_t)));
    EXPECT_EQ(record.dwState, 0u);
    EXPECT_EQ(record.dwStateMask, 0u);
    EXPECT_TRUE(AllZero(record.szInfo, sizeof record.szInfo));
    EXPECT_TRUE(AllZero(record.szInfoTitle, sizeof record.szInfoTitle));
    EXPECT_EQ(record.dwInfoFlags, 0u);
    EXPECT_TRUE(AllZero(&record.guidItem, sizeof record.guidItem));
  }
}

}  // namespace
