#include "winframework/TrayIcon.h"

#include "winframework/FrameworkMessages.h"

#include <cstddef>

static_assert(offsetof(NOTIFYICONDATAW, hBalloonIcon) == kNotifyIconRecordSize,
              "the record ends before hBalloonIcon");

namespace {

// Units of szTip available for text: the field holds 128, the tip is cut to 126.
constexpr int kTipUnits = 126;

}  // namespace

NOTIFYICONDATAW MakeNotifyIconRecord(HWND window, HICON icon, const wchar_t* tip) {
  NOTIFYICONDATAW record{};
  record.cbSize = kNotifyIconRecordSize;
  record.hWnd = window;
  record.uID = kTrayIconId;
  record.uVersion = 3;
  if (tip != nullptr) {
    int units = 0;
    for (; units < kTipUnits && tip[units] != 0; ++units) record.szTip[units] = tip[units];
    record.szTip[units] = 0;
  }
  if (icon != nullptr) {
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_VOL_TRAYNOTIFY;
    record.hIcon = icon;
  }
  return record;
}

void TrayIcon::Set(HWND window, HICON icon, const wchar_t* tip) {
  if (window == nullptr) return;
  NOTIFYICONDATAW record = MakeNotifyIconRecord(window, icon, tip);
  if (icon_.Get() != nullptr) {
    Shell_NotifyIconW(icon != nullptr ? NIM_MODIFY : NIM_DELETE, &record);
  } else if (icon != nullptr) {
    Shell_NotifyIconW(NIM_ADD, &record);
  }
  icon_.Reset(icon);
  record_ = icon != nullptr ? record : NOTIFYICONDATAW{};
}

void TrayIcon::Remove(HWND window) {
  if (icon_.Get() == nullptr) return;
  NOTIFYICONDATAW record = MakeNotifyIconRecord(window, nullptr, nullptr);
  Shell_NotifyIconW(NIM_DELETE, &record);
  icon_.Reset();
  record_ = NOTIFYICONDATAW{};
}

void TrayIcon::AddAgain(HWND window) {
  if (icon_.Get() == nullptr || window == nullptr) return;
  record_.hWnd = window;
  Shell_NotifyIconW(NIM_ADD, &record_);
}
