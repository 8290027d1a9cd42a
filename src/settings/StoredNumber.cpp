#include "settings/StoredNumber.h"

#include <cwchar>
#include <limits>

std::int32_t ParseStoredNumber(const std::wstring& text) {
  // long is 32 bits on Windows, so wcstol clamps already; the explicit clamp keeps the 32-bit
  // answer where long is wider.
  const long value = std::wcstol(text.c_str(), nullptr, 10);
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}
