// Reads one text setting; lets the key injection be exercised without the registry.
#pragma once

#include <string>

class SettingsReader {
 public:
  virtual ~SettingsReader() = default;
  // The stored text, or defaultText when the value cannot be had.
  virtual std::wstring ReadText(const std::wstring& keyPath, const std::wstring& valueName,
                                const std::wstring& defaultText) const = 0;
};
