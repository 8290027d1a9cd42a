// What a save stores: the key code, the Ctrl choice and the command that starts the program at
// log-on.
#pragma once

#include "settings/SettingsWriter.h"

#include <cstdint>
#include <string>

inline constexpr const wchar_t* kAutostartKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kAutostartValueName = L"an";
// The file name the autostart command names, whatever the running executable is called.
inline constexpr const wchar_t* kProgramFileName = L"岚枫禾无线按钮扩展.exe";

// directory (with its trailing backslash, or empty) and the program's file name, in double quotes:
// without them a path with spaces ("C:\Program Files\...") would make the system try
// "C:\Program.exe" first at every log-on. No arguments.
std::wstring AutostartCommand(const std::wstring& directory);

// Writes "xrcode" (the code as "%d"), "xrctrl" ("1" or "0") and, with autostart on, the autostart
// command as "an", or with autostart off deletes "an"; each independently of the others' success.
// True only when all three were done.
bool StoreSettings(int32_t keyCode, bool ctrlChecked, const std::wstring& autostartCommand, SettingsWriter& writer,
                   bool autostartOn = true);
