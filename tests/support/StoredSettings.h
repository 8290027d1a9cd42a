// The program's persisted settings as a test sees them from outside: its key "Software\lanfhe\" with
// "xrcode", "xrctrl" and "xrautorun", and the autostart value "an" under the Run key. Tests that let
// the real program (or its form) save keep a backup that puts everything back as it was.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

inline constexpr const wchar_t* kProgramSettingsKey = L"Software\\lanfhe";
inline constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The text of a REG_SZ value; nullopt when the value is missing or of another type.
std::optional<std::wstring> ReadStoredText(const std::wstring& keyPath, const std::wstring& valueName);
// Stores text as REG_SZ (creating the key), or deletes the value for nullopt. True when done (a
// missing value counts as deleted).
bool SetStoredText(const std::wstring& keyPath, const std::wstring& valueName, const std::optional<std::wstring>& text);

// Takes a copy of the settings key's existence, of "xrcode", "xrctrl", "xrautorun", "xrdevice" and
// "an" (type and bytes) when made, and restores exactly that when it goes: values that were missing
// are deleted, and the key is deleted again when it did not exist.
class StoredSettingsBackup {
 public:
  StoredSettingsBackup();
  ~StoredSettingsBackup();
  StoredSettingsBackup(const StoredSettingsBackup&) = delete;
  StoredSettingsBackup& operator=(const StoredSettingsBackup&) = delete;

 private:
  struct Value {
    std::wstring keyPath;
    std::wstring name;
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> bytes;
  };
  bool settingsKeyExisted_ = false;
  std::vector<Value> values_;
};
