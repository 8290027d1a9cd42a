#include "settings/RegistryStore.h"

#include "settings/RegistryKey.h"
#include "settings/SettingsWriter.h"

#include <cwchar>
#include <vector>

std::wstring RegistryReadText(const std::wstring& keyPath, const std::wstring& valueName,
                              const std::wstring& defaultText) {
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
    return defaultText;
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return defaultText;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return defaultText;

  // Zero-filled whole characters with one more than the stored bytes fill: a value stored without
  // its NUL, even with an odd byte count, still ends in one inside the buffer.
  std::vector<wchar_t> stored(size / sizeof(wchar_t) + 2, L'\0');
  DWORD capacity = static_cast<DWORD>((stored.size() - 1) * sizeof(wchar_t));
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(stored.data()),
                       &capacity) != ERROR_SUCCESS) {
    return defaultText;
  }

  if (type == REG_EXPAND_SZ) {
    const DWORD needed = ExpandEnvironmentStringsW(stored.data(), nullptr, 0);
    std::vector<wchar_t> expanded(static_cast<size_t>(needed) + 2, L'\0');
    ExpandEnvironmentStringsW(stored.data(), expanded.data(), needed + 1);
    return std::wstring(expanded.data());
  }
  // An existing empty value gives the empty text, not the default.
  return std::wstring(stored.data());
}

bool RegistryWriteText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text) {
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_WRITE, key.Receive()) != ERROR_SUCCESS) {
    // Creates the missing keys above it too.
    if (RegCreateKeyW(HKEY_CURRENT_USER, keyPath.c_str(), key.Receive()) != ERROR_SUCCESS) return false;
  }
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));  // with the NUL
  return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        bytes) == ERROR_SUCCESS;
}

bool RegistryDeleteValue(const std::wstring& keyPath, const std::wstring& valueName) {
  RegistryKey key;
  const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, key.Receive());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LSTATUS deleted = RegDeleteValueW(key.get(), valueName.c_str());
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool RegistrySettingsWriter::DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) {
  return RegistryDeleteValue(keyPath, valueName);
}

bool GetModuleDirectory(HMODULE module, std::wstring& directory) {
  directory.clear();
  wchar_t path[MAX_PATH] = {};
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0) return false;
  directory = DirectoryOfPath(std::wstring(path, wcsnlen(path, MAX_PATH)));
  return true;
}

std::wstring DirectoryOfPath(const std::wstring& path) {
  const size_t lastBackslash = path.find_last_of(L'\\');
  if (lastBackslash == std::wstring::npos) return std::wstring();
  return path.substr(0, lastBackslash + 1);
}
