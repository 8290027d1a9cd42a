#include "SettingsBackup.h"

#include "settings/RegistryKey.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\lanfhe";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool KeyExists(const wchar_t* path) {
  RegistryKey key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

}  // namespace

SettingsBackup::SettingsBackup() : settingsKeyExisted_(KeyExists(kSettingsKey)) {
  values_.push_back(Read(kSettingsKey, L"xrcode"));
  values_.push_back(Read(kSettingsKey, L"xrctrl"));
  values_.push_back(Read(kRunKey, L"an"));
}

SettingsBackup::~SettingsBackup() {
  for (const Value& value : values_) Put(value);
  // A key the program's save created for the test goes again once it holds nothing.
  if (!settingsKeyExisted_) RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
}

bool SettingsBackup::Store(const wchar_t* name, const std::wstring& text) {
  RegistryKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool SettingsBackup::Forget(const wchar_t* name) {
  RegistryKey key;
  const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, key.Receive());
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) return false;
  const LONG deleted = RegDeleteValueW(key.get(), name);
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

SettingsBackup::Value SettingsBackup::Read(const std::wstring& keyPath, const std::wstring& name) {
  Value value{keyPath, name, false, REG_NONE, {}};
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
    return value;
  }
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return value;
  value.data.resize(size);
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS) {
    return value;
  }
  value.data.resize(size);
  value.present = true;
  return value;
}

void SettingsBackup::Put(const Value& value) {
  RegistryKey key;
  if (!value.present) {
    if (RegOpenKeyExW(HKEY_CURRENT_USER, value.keyPath.c_str(), 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
      RegDeleteValueW(key.get(), value.name.c_str());
    }
    return;
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, value.keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                      nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  }
}
