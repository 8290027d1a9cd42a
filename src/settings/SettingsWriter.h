// Stores one text setting; lets the save sequence be exercised against a store that refuses.
#pragma once

#include <string>

class SettingsWriter {
 public:
  virtual ~SettingsWriter() = default;
  // True when the value was stored.
  virtual bool WriteText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text) = 0;
  // True when the value is gone afterwards (a missing value counts as deleted). A store that cannot
  // delete answers false.
  virtual bool DeleteValue(const std::wstring& /*keyPath*/, const std::wstring& /*valueName*/) { return false; }
};

// The current user's registry (RegistryWriteText).
class RegistrySettingsWriter final : public SettingsWriter {
 public:
  bool WriteText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text) override;
  bool DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) override;
};
