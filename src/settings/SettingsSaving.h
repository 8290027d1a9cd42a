// What a save stores: the key code, the Ctrl choice and the command that starts the program at
// log-on.
#pragma once

#include "settings/SettingsWriter.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr const wchar_t* kAutostartKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kAutostartValueName = L"an";
// The executable's full path in double quotes: without them a path with spaces ("C:\Program
// Files\...") would make the system try "C:\Program.exe" first at every log-on. No arguments.
std::wstring AutostartCommand(const std::wstring& executablePath);

// Writes "xrcode" (the code as "%d"), "xrctrl" ("1" or "0") and, with autostart on, the autostart
// command as "an", or with autostart off deletes "an"; each independently of the others' success.
// With autostart on but without a command the autostart value is left as it is and the save failed.
// True only when all three were done.
bool StoreSettings(int32_t keyCode, bool ctrlChecked, const std::optional<std::wstring>& autostartCommand,
                   SettingsWriter& writer, bool autostartOn = true);
