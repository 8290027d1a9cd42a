// Numbers in the settings are stored as signed decimal text and read back by the rules of wcstol
// with base 10: leading white space skipped, one optional sign, digits up to the first other
// character, 0 without digits, clamped to the 32-bit range.
#pragma once

#include <cstdint>
#include <string>

std::int32_t ParseStoredNumber(const std::wstring& text);
