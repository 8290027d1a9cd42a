// Settings read from the current user's registry.
#pragma once

#include "settings/SettingsReader.h"

class RegistrySettingsReader final : public SettingsReader {
 public:
  std::wstring ReadText(const std::wstring& keyPath, const std::wstring& valueName,
                        const std::wstring& defaultText) const override;
};
