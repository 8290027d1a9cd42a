#include "settings/RegistrySettingsReader.h"

#include "settings/RegistryStore.h"

std::wstring RegistrySettingsReader::ReadText(const std::wstring& keyPath, const std::wstring& valueName,
                                              const std::wstring& defaultText) const {
  return RegistryReadText(keyPath, valueName, defaultText);
}
