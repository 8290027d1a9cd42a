// The wide printf of the system's texts, with the directive meanings of the Microsoft C run time's
// legacy wide mode: "%s" and "%c" take wide text (narrow with "h", or as "%S", "%C"), "%I64X",
// "%I32d" and "%Id" give the integer width, and exponents have at least two digits ("1E+20").
//
// Supported: flags - + space # 0; width and precision (digits or *); sizes hh h l ll L w I I32 I64
// j z t; conversions d i u o x X c C s S p e E f F g G a A and %%. Anything else, "%n" included, is
// an error. Floating-point numbers use the current C locale's decimal point.
#pragma once

#include <cstdarg>
#include <cstddef>

// Formats into out, which holds outUnits units: at most outUnits - 1 units and a NUL are written
// (nothing when out is null or outUnits is 0). Answers the number of units of the whole text without
// the NUL, or -1 for an invalid format or a text longer than 2,147,483,647 units.
int FormatWideV(wchar_t* out, size_t outUnits, const wchar_t* format, va_list args);
int FormatWide(wchar_t* out, size_t outUnits, const wchar_t* format, ...);
