#include "runtime/QuoteText.h"

namespace {

// The letter after the backslash for the units with a short escape; 0 for all others.
wchar_t ShortEscape(wchar_t unit) {
  switch (unit) {
    case 8: return L'b';
    case 9: return L't';
    case 10: return L'n';
    case 12: return L'f';
    case 13: return L'r';
    case L'"': return L'"';
    case L'\'': return L'\'';
    case L'\\': return L'\\';
    default: return 0;
  }
}

}  // namespace

CWString QuoteText(const wchar_t* text) {
  CWString quoted(L"\"");
  for (const wchar_t* p = text; p != nullptr && *p != 0; ++p) {
    const wchar_t unit = *p;
    const wchar_t letter = ShortEscape(unit);
    if (letter != 0) {
      const wchar_t escape[3] = {L'\\', letter, 0};
      quoted.Append(escape);
    } else if (unit < 32) {
      const wchar_t octal[5] = {L'\\', L'0', static_cast<wchar_t>(L'0' + unit / 8), static_cast<wchar_t>(L'0' + unit % 8), 0};
      quoted.Append(octal);
    } else {
      quoted.AppendChar(unit);
    }
  }
  quoted.AppendChar(L'"');
  return quoted;
}
