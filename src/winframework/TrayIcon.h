// The notification-area icon of one form window: at most one (the window and icon id 100), with the
// form's callback message. The holder owns the icon handle it was given.
#pragma once

#include "winframework/OwnedHandles.h"

#include <windows.h>
#include <shellapi.h>

// The record's size up to and including guidItem: what the shell of every supported system reads.
inline constexpr DWORD kNotifyIconRecordSize = 968;

// The zero-filled record for window with the tip cut to 126 units (empty for null), version field 3.
// With an icon it also carries the callback message and the icon (flags message, icon, tip).
NOTIFYICONDATAW MakeNotifyIconRecord(HWND window, HICON icon, const wchar_t* tip);

// The shell call every change of the icon goes through; a test puts its own in to make the shell
// refuse. Answers the call set before.
using ShellNotifyCall = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW record);
ShellNotifyCall SetShellNotifyCall(ShellNotifyCall call);

class TrayIcon {
 public:
  // Not removed here: the form window's destruction removes it while the window still exists.
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // With an icon: added, or changed when one is registered (the old handle is destroyed when it
  // differs). Without: the registered icon is removed; nothing is sent when there is none. The holder
  // follows the request whatever the shell answers; the answer says whether the shell now shows what
  // was asked (false when it refused to add the icon).
  bool Set(HWND window, HICON icon, const wchar_t* tip);
  // Removes a registered icon and destroys its handle (the window is being destroyed).
  void Remove(HWND window);
  // Adds the registered icon again with the same record: the shell's notification area was rebuilt,
  // or it refused the icon before. True when the shell has it now.
  bool AddAgain(HWND window);

  HICON Icon() const { return icon_.Get(); }
  // An icon is registered that the shell refused to add.
  bool Missing() const { return icon_.Get() != nullptr && !shown_; }

 private:
  OwnedIcon icon_;
  NOTIFYICONDATAW record_{};  // the record of the registered icon
  bool shown_ = false;        // the shell took the registered icon
};
