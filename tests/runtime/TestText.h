// Turns wide text into something a failure message can show: ASCII as it is, everything else '?'.
#pragma once

#include <string>

inline std::string Printable(const std::wstring& text) {
  std::string s;
  for (wchar_t c : text) s += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
  return s;
}
