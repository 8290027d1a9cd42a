// The program's stored settings ("xrcode" and "xrctrl" under Software\lanfhe) and its autostart
// value ("an" under the Run key) as they were before a test: kept on construction and put back, value
// by value and with their types, on destruction, whatever the test changed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class SettingsBackup {
 public:
  SettingsBackup();
  ~SettingsBackup();
  SettingsBackup(const SettingsBackup&) = delete;
  SettingsBackup& operator=(const SettingsBackup&) = delete;

  // One of the program's settings as a REG_SZ text; false when it cannot be written.
  static bool Store(const wchar_t* name, const std::wstring& text);
  // Removes one of the program's settings; true when it is gone (also when it never was there).
  static bool Forget(const wchar_t* name);

 private:
  struct Value {
    std::wstring keyPath;
    std::wstring name;
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };
  static Value Read(const std::wstring& keyPath, const std::wstring& name);
  static void Put(const Value& value);

  bool settingsKeyExisted_ = false;
  std::vector<Value> values_;
};
