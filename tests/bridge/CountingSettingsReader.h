// The settings as the registry holds them, every read counted: a press must read none.
#pragma once

#include "settings/RegistrySettingsReader.h"

#include <string>

class CountingSettingsReader final : public SettingsReader {
 public:
  std::wstring ReadText(const std::wstring& keyPath, const std::wstring& valueName,
                        const std::wstring& defaultText) const override {
    ++reads;
    return registry_.ReadText(keyPath, valueName, defaultText);
  }
  mutable int reads = 0;

 private:
  RegistrySettingsReader registry_;
};
