// A text as a quoted literal for the diagnostic listings: control characters, quotes and backslashes
// are escaped, everything else is copied.
#pragma once

#include "runtime/WString.h"

// A double quote, the units of text with \b \t \n \f \r \" \' \\ for their characters and \0oo (two
// octal digits) for any other unit below 32, and a closing double quote. A null or empty text gives
// two double quotes.
CWString QuoteText(const wchar_t* text);
