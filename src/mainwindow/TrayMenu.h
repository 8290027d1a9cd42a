// The menu of the notification-area icon: "显示设置" (the default item, bold), "开机自动启动"
// (checked while the program starts at log-on), a separator, "退出".
#pragma once

#include <windows.h>

enum class TrayMenuChoice { kNone, kShowForm, kSwitchAutostart, kExit };

inline constexpr const wchar_t* kTrayMenuShowForm = L"显示设置";
inline constexpr const wchar_t* kTrayMenuAutostart = L"开机自动启动";
inline constexpr const wchar_t* kTrayMenuExit = L"退出";

// Opens the menu at the pointer, owned by owner, and waits until it closes; the item chosen, or
// kNone when the user clicked elsewhere or pressed Esc.
TrayMenuChoice ShowTrayMenu(HWND owner, bool autostartOn);
