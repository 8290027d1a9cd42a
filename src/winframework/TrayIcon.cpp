#include "winframework/TrayIcon.h"

#include "winframework/FrameworkMessages.h"

#include <cstddef>

static_assert(offsetof(NOTIFYICONDATAW, hBalloonIcon) == kNotifyIconRecordSize,
              "the record ends before hBalloonIcon");

namespace {

// Units of szTip available for text: the field holds 128, the tip is cut to 126.
constexpr int kTipUnits = 126;

ShellNotifyCall g_shellNotify = Shell_NotifyIconW;

// Adds the icon of record; a shell that holds it already (it was not gone after all) refuses the add
// and takes a change.
bool AddToShell(NOTIFYICONDATAW& record) {
  return g_shellNotify(NIM_ADD, &record) != FALSE || g_shellNotify(NIM_MODIFY, &record) != FALSE;
}

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

ShellNotifyCall SetShellNotifyCall(ShellNotifyCall call) {
  const ShellNotifyCall previous = g_shellNotify;
  g_shellNotify = call != nullptr ? call : Shell_NotifyIconW;
  return previous;
}

bool TrayIcon::Set(HWND window, HICON icon, const wchar_t* tip) {
  if (window == nullptr) return icon == nullptr;
  NOTIFYICONDATAW record = MakeNotifyIconRecord(window, icon, tip);
  if (icon_.Get() != nullptr && icon == nullptr) {
    g_shellNotify(NIM_DELETE, &record);
    shown_ = false;
  } else if (icon_.Get() != nullptr && shown_) {
    g_shellNotify(NIM_MODIFY, &record);
  } else if (icon != nullptr) {
    shown_ = AddToShell(record);
  }
  icon_.Reset(icon);
  record_ = icon != nullptr ? record : NOTIFYICONDATAW{};
  return icon == nullptr || shown_;
}

void TrayIcon::Remove(HWND window) {
  if (icon_.Get() == nullptr) return;
  NOTIFYICONDATAW record = MakeNotifyIconRecord(window, nullptr, nullptr);
  g_shellNotify(NIM_DELETE, &record);
  icon_.Reset();
  record_ = NOTIFYICONDATAW{};
  shown_ = false;
}

bool TrayIcon::AddAgain(HWND window) {
  if (icon_.Get() == nullptr || window == nullptr) return false;
  record_.hWnd = window;
  shown_ = AddToShell(record_);
  return shown_;
}
