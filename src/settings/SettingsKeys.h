// Where the program keeps its settings: string values under one key of the current user.
#pragma once

inline constexpr const wchar_t* kSettingsKeyPath = L"Software\\lanfhe\\";
inline constexpr const wchar_t* kKeyCodeValueName = L"xrcode";   // virtual-key code, decimal text
inline constexpr const wchar_t* kCtrlComboValueName = L"xrctrl"; // "1" adds Ctrl
inline constexpr const wchar_t* kDefaultKeyCodeText = L"32";     // the space bar
inline constexpr const wchar_t* kDeviceValueName = L"xrdevice"; // hardware id of the one device that triggers
