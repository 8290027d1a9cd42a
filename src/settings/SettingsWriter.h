// Stores one text setting; lets the save sequence be exercised against a store that refuses.
#pragma once

#include <string>

class SettingsWriter {
 public:
  virtual ~SettingsWriter() = default;
  // True when the value was stored.
  virtual bool WriteText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text) = 0;
};

// The current user's registry (RegistryWriteText).
class RegistrySettingsWriter final : public SettingsWriter {
 public:
  bool WriteText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text) override;
};
