// Numbers that framework windows share with each other and with the system: the mark in the user
// data of every framework window, the private messages, and the default rectangle value.
#pragma once

#include <windows.h>

#include <cstdint>

// GWLP_USERDATA of every window the framework creates; also the lParam of a pre-translate request
// and the answer that means "consumed".
inline constexpr LONG_PTR FrameworkWindowMark = 19731115;  // 0x12D12AB

// wParam: the address of the MSG being pre-translated; lParam: FrameworkWindowMark.
inline constexpr UINT WM_VOL_PRETRANSLATE = 0x9FFF;
// The notification-area icon's callback: wParam the icon id, lParam the mouse message.
inline constexpr UINT WM_VOL_TRAYNOTIFY = 0xA000;
// From a hosted form to its modal host: wParam the code (1 destroyed, 2 show, 3 end, 4 text).
inline constexpr UINT WM_VOL_HOSTNOTIFY = 0xA001;
// Posted by a combo box to itself on CBN_SELENDOK: the selection event runs after the edit text changed.
inline constexpr UINT WM_VOL_COMBOSELENDOK = 0xA003;

enum HostNotifyCode : int {
  kHostFormDestroyed = 1,
  kHostShow = 2,
  kHostEnd = 3,
  kHostSetText = 4,
};

// A rectangle field of a creation record left to the default (CW_USEDEFAULT).
inline constexpr int32_t kDefaultRectValue = static_cast<int32_t>(0x80000000u);

// Substituted for an empty title when the form has a system menu.
inline constexpr const wchar_t* kApplicationName = L"岚枫禾无线控制";

// The notification-area icon's id; one form has at most one icon.
inline constexpr UINT kTrayIconId = 100;

// What a mouse action on the notification-area icon means to the form.
enum TrayNotifyCode : int32_t {
  kTrayLeftButtonUp = 1,
  kTrayLeftDoubleClick = 2,
  kTrayRightButtonUp = 3,  // also the context-menu request
};

// The window icon every form shows unless another is set.
inline constexpr int kFormIconResourceId = 100;
