#include "support/StoredSettings.h"

#include "settings/RegistryKey.h"

namespace {

bool KeyExists(const wchar_t* path) {
  RegistryKey key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) {
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) {
    return true;  // no key, no value
  }
  const LSTATUS status = RegDeleteValueW(key.get(), valueName.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool StoreRaw(const std::wstring& keyPath, const std::wstring& valueName, DWORD type, const BYTE* bytes, DWORD size) {
  RegistryKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExW(key.get(), valueName.c_str(), 0, type, bytes, size) == ERROR_SUCCESS;
}

}  // namespace

std::optional<std::wstring> ReadStoredText(const std::wstring& keyPath, const std::wstring& valueName) {
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&text[0]), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(text.find(L'\0'));
  return text;
}

bool SetStoredText(const std::wstring& keyPath, const std::wstring& valueName,
                   const std::optional<std::wstring>& text) {
  if (!text) return DeleteValue(keyPath, valueName);
  return StoreRaw(keyPath, valueName, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
                  static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
}

StoredSettingsBackup::StoredSettingsBackup() : settingsKeyExisted_(KeyExists(kProgramSettingsKey)) {
  const std::pair<const wchar_t*, const wchar_t*> kept[] = {
      {kProgramSettingsKey, L"xrcode"},
      {kProgramSettingsKey, L"xrctrl"},
      {kProgramSettingsKey, L"xrautorun"},
      {kProgramSettingsKey, L"xrdevice"},
      {kRunKey, L"an"}};
  for (const auto& [keyPath, name] : kept) {
    Value value;
    value.keyPath = keyPath;
    value.name = name;
    RegistryKey key;
    DWORD size = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, key.Receive()) == ERROR_SUCCESS &&
        RegQueryValueExW(key.get(), name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
      value.bytes.resize(size);
      value.present = RegQueryValueExW(key.get(), name, nullptr, nullptr, value.bytes.data(), &size) == ERROR_SUCCESS;
      value.bytes.resize(size);
    }
    values_.push_back(std::move(value));
  }
}

StoredSettingsBackup::~StoredSettingsBackup() {
  if (!settingsKeyExisted_) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgramSettingsKey);
  }
  for (const Value& value : values_) {
    if (!settingsKeyExisted_ && value.keyPath == kProgramSettingsKey) continue;
    if (value.present) {
      StoreRaw(value.keyPath, value.name, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
    } else {
      DeleteValue(value.keyPath, value.name);
    }
  }
}
