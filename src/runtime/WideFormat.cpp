#include "runtime/WideFormat.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

// Collects the output; counts every unit, stores what fits.
class Sink {
 public:
  // A buffer of no units is no buffer: not even the NUL goes into it.
  Sink(wchar_t* out, size_t units) : out_(units > 0 ? out : nullptr), room_(out_ != nullptr ? units - 1 : 0) {}

  void Put(wchar_t unit) {
    if (count_ < static_cast<int64_t>(room_)) out_[count_] = unit;
    ++count_;
  }
  void Repeat(wchar_t unit, int64_t n) {
    for (int64_t i = 0; i < n; ++i) Put(unit);
  }
  void PutNarrow(const char* text, size_t n) {
    for (size_t i = 0; i < n; ++i) Put(static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
  }
  void Finish() {
    if (out_ == nullptr) return;
    const int64_t end = count_ < static_cast<int64_t>(room_) ? count_ : static_cast<int64_t>(room_);
    out_[end] = 0;
  }
  int64_t Count() const { return count_; }

 private:
  wchar_t* out_;
  size_t room_;
  int64_t count_ = 0;
};

struct Directive {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  bool zero = false;
  int width = 0;
  int precision = -1;  // -1: not given
};

enum class Size { kDefault, kChar, kShort, kLong, kLongLong, kLongDouble, kWide, kInt32, kInt64, kPointer };

// Pads the pieces prefix (sign, "0x"), zeros and body to the field width.
void EmitField(Sink& sink, const Directive& directive, const wchar_t* prefix, int64_t zeros, const wchar_t* body,
               int64_t bodyLength) {
  const int64_t prefixLength = static_cast<int64_t>(std::wcslen(prefix));
  int64_t length = prefixLength + zeros + bodyLength;
  int64_t padding = directive.width > length ? directive.width - length : 0;
  if (!directive.left && directive.zero && directive.precision < 0) {
    zeros += padding;
    padding = 0;
  }
  if (!directive.left) sink.Repeat(L' ', padding);
  for (int64_t i = 0; i < prefixLength; ++i) sink.Put(prefix[i]);
  sink.Repeat(L'0', zeros);
  for (int64_t i = 0; i < bodyLength; ++i) sink.Put(body[i]);
  if (directive.left) sink.Repeat(L' ', padding);
}

void EmitInteger(Sink& sink, Directive directive, uint64_t magnitude, bool negative, bool isSigned, wchar_t conversion) {
  const int base = conversion == L'o' ? 8 : (conversion == L'x' || conversion == L'X' || conversion == L'p') ? 16 : 10;
  const wchar_t* digitSet = conversion == L'x' ? L"0123456789abcdef" : L"0123456789ABCDEF";
  wchar_t digits[24];
  int n = 0;
  for (uint64_t v = magnitude; v != 0; v /= static_cast<uint64_t>(base)) digits[n++] = digitSet[v % base];
  // Most significant digit first.
  for (int i = 0; i < n / 2; ++i) {
    const wchar_t t = digits[i];
    digits[i] = digits[n - 1 - i];
    digits[n - 1 - i] = t;
  }
  int64_t zeros = directive.precision > n ? directive.precision - n : 0;
  if (directive.precision < 0 && n == 0) zeros = 1;  // 0 prints as "0" unless the precision is given
  if (conversion == L'o' && directive.alternate && zeros == 0 && (n == 0 || digits[0] != L'0')) zeros = 1;

  wchar_t prefix[3] = {0, 0, 0};
  if (negative) {
    prefix[0] = L'-';
  } else if (isSigned && directive.plus) {
    prefix[0] = L'+';
  } else if (isSigned && directive.space) {
    prefix[0] = L' ';
  } else if (directive.alternate && magnitude != 0 && (conversion == L'x' || conversion == L'X')) {
    prefix[0] = L'0';
    prefix[1] = conversion;
  }
  EmitField(sink, directive, prefix, zeros, digits, n);
}

// Infinities and NaNs as the run time spells them: "inf", "nan", "-nan(ind)" for the indefinite value
// that invalid operations produce, "nan(snan)" for a signalling NaN; upper case for E, F, G and A.
void EmitNonFinite(Sink& sink, Directive directive, double value, bool upper) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const uint64_t mantissa = bits & 0x000FFFFFFFFFFFFFull;
  const uint64_t quietBit = 0x0008000000000000ull;
  const char* word = "inf";
  if (std::isnan(value)) {
    if ((mantissa & quietBit) == 0) {
      word = "nan(snan)";
    } else if (negative && mantissa == quietBit) {
      word = "nan(ind)";
    } else {
      word = "nan";
    }
  }
  wchar_t body[16];
  int n = 0;
  for (const char* p = word; *p; ++p) body[n++] = static_cast<wchar_t>(upper ? std::toupper(*p) : *p);
  const wchar_t* sign = negative ? L"-" : directive.plus ? L"+" : directive.space ? L" " : L"";
  directive.zero = false;
  EmitField(sink, directive, sign, 0, body, n);
}

// Moves the digits of an exponent to at least two: "1E+020" becomes "1E+20", "1e-005" "1e-05".
void TrimExponent(std::string& text) {
  const size_t e = text.find_first_of("eE");
  if (e == std::string::npos || e + 1 >= text.size()) return;
  size_t first = e + 1;
  if (text[first] == '+' || text[first] == '-') ++first;
  while (text.size() - first > 2 && text[first] == '0') text.erase(first, 1);
}

bool EmitFloat(Sink& sink, Directive directive, double value, wchar_t conversion) {
  const bool upper = conversion == L'E' || conversion == L'F' || conversion == L'G' || conversion == L'A';
  if (!std::isfinite(value)) {
    EmitNonFinite(sink, directive, value, upper);
    return true;
  }
  char narrowConversion = static_cast<char>(conversion == L'F' ? L'f' : conversion);
  int precision = directive.precision;
  if (precision < 0) precision = (conversion == L'a' || conversion == L'A') ? 13 : 6;
  // The digits come from the C run time; sign, width and padding are applied here, after the exponent
  // has its two digits.
  char format[16];
  char* f = format;
  *f++ = '%';
  if (directive.plus) *f++ = '+';
  if (directive.space) *f++ = ' ';
  if (directive.alternate) *f++ = '#';
  *f++ = '.';
  *f++ = '*';
  *f++ = narrowConversion;
  *f = 0;
  const int needed = std::snprintf(nullptr, 0, format, precision, value);
  if (needed < 0) return false;
  std::string text(static_cast<size_t>(needed) + 1, '\0');
  std::snprintf(&text[0], text.size(), format, precision, value);
  text.resize(static_cast<size_t>(needed));
  if (conversion != L'a' && conversion != L'A') TrimExponent(text);

  // Split off the sign and, for hexadecimal floats, the "0x" so that zero padding goes behind them.
  size_t headLength = 0;
  if (!text.empty() && (text[0] == '-' || text[0] == '+' || text[0] == ' ')) headLength = 1;
  if ((conversion == L'a' || conversion == L'A') && text.size() >= headLength + 2) headLength += 2;
  wchar_t head[4] = {0, 0, 0, 0};
  for (size_t i = 0; i < headLength; ++i) head[i] = static_cast<wchar_t>(text[i]);
  std::wstring body(text.begin() + static_cast<std::ptrdiff_t>(headLength), text.end());
  directive.precision = -1;  // already applied; what remains is the field width
  EmitField(sink, directive, head, 0, body.c_str(), static_cast<int64_t>(body.size()));
  return true;
}

void EmitWideText(Sink& sink, const Directive& directive, const wchar_t* text) {
  if (text == nullptr) text = L"(null)";
  int64_t n = 0;
  while (text[n] != 0 && (directive.precision < 0 || n < directive.precision)) ++n;
  Directive field = directive;
  field.zero = false;
  field.precision = -1;
  EmitField(sink, field, L"", 0, text, n);
}

void EmitNarrowText(Sink& sink, const Directive& directive, const char* text) {
  if (text == nullptr) text = "(null)";
  size_t n = 0;
  while (text[n] != 0 && (directive.precision < 0 || n < static_cast<size_t>(directive.precision))) ++n;
  std::wstring wide(n, L'\0');
  for (size_t i = 0; i < n; ++i) wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
  EmitWideText(sink, directive, wide.c_str());
}

// Reads a decimal number of a width or precision; false when it does not fit an int.
bool ReadNumber(const wchar_t*& p, int& number) {
  int64_t value = 0;
  while (*p >= L'0' && *p <= L'9') {
    value = value * 10 + (*p - L'0');
    if (value > INT_MAX) return false;
    ++p;
  }
  number = static_cast<int>(value);
  return true;
}

Size ReadSize(const wchar_t*& p) {
  switch (*p) {
    case L'h':
      ++p;
      if (*p == L'h') {
        ++p;
        return Size::kChar;
      }
      return Size::kShort;
    case L'l':
      ++p;
      if (*p == L'l') {
        ++p;
        return Size::kLongLong;
      }
      return Size::kLong;
    case L'L':
      ++p;
      return Size::kLongDouble;
    case L'w':
      ++p;
      return Size::kWide;
    case L'j':
    case L'z':
    case L't':
      ++p;
      return Size::kPointer;
    case L'I':
      if (p[1] == L'6' && p[2] == L'4') {
        p += 3;
        return Size::kInt64;
      }
      if (p[1] == L'3' && p[2] == L'2') {
        p += 3;
        return Size::kInt32;
      }
      ++p;
      return Size::kPointer;
    default:
      return Size::kDefault;
  }
}

}  // namespace

int FormatWideV(wchar_t* out, size_t outUnits, const wchar_t* format, va_list args) {
  Sink sink(out, outUnits);
  bool failed = format == nullptr;
  for (const wchar_t* p = format; !failed && *p != 0;) {
    if (*p != L'%') {
      sink.Put(*p++);
      continue;
    }
    ++p;
    if (*p == L'%') {
      sink.Put(*p++);
      continue;
    }
    Directive directive;
    for (;; ++p) {
      if (*p == L'-') {
        directive.left = true;
      } else if (*p == L'+') {
        directive.plus = true;
      } else if (*p == L' ') {
        directive.space = true;
      } else if (*p == L'#') {
        directive.alternate = true;
      } else if (*p == L'0') {
        directive.zero = true;
      } else {
        break;
      }
    }
    if (*p == L'*') {
      ++p;
      const int width = va_arg(args, int);
      if (width < 0) {
        directive.left = true;
        if (width == INT_MIN) {
          failed = true;
          break;
        }
        directive.width = -width;
      } else {
        directive.width = width;
      }
    } else if (!ReadNumber(p, directive.width)) {
      failed = true;
      break;
    }
    if (*p == L'.') {
      ++p;
      if (*p == L'*') {
        ++p;
        const int precision = va_arg(args, int);
        directive.precision = precision < 0 ? -1 : precision;
      } else if (!ReadNumber(p, directive.precision)) {
        failed = true;
        break;
      }
    }
    const Size size = ReadSize(p);
    const wchar_t conversion = *p;
    if (conversion == 0) {
      failed = true;
      break;
    }
    ++p;
    switch (conversion) {
      case L'd':
      case L'i': {
        int64_t value;
        switch (size) {
          case Size::kLongLong:
          case Size::kLongDouble:
          case Size::kInt64:
            value = va_arg(args, long long);
            break;
          case Size::kPointer:
            value = va_arg(args, intptr_t);
            break;
          case Size::kLong:
            value = va_arg(args, long);
            break;
          case Size::kShort:
            value = static_cast<short>(va_arg(args, int));
            break;
          case Size::kChar:
            value = static_cast<signed char>(va_arg(args, int));
            break;
          default:
            value = va_arg(args, int);
            break;
        }
        const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        EmitInteger(sink, directive, magnitude, value < 0, true, L'd');
        break;
      }
      case L'u':
      case L'o':
      case L'x':
      case L'X': {
        uint64_t value;
        switch (size) {
          case Size::kLongLong:
          case Size::kLongDouble:
          case Size::kInt64:
            value = va_arg(args, unsigned long long);
            break;
          case Size::kPointer:
            value = va_arg(args, uintptr_t);
            break;
          case Size::kLong:
            value = va_arg(args, unsigned long);
            break;
          case Size::kShort:
            value = static_cast<unsigned short>(va_arg(args, unsigned int));
            break;
          case Size::kChar:
            value = static_cast<unsigned char>(va_arg(args, unsigned int));
            break;
          default:
            value = va_arg(args, unsigned int);
            break;
        }
        EmitInteger(sink, directive, value, false, false, conversion);
        break;
      }
      case L'p': {
        const uintptr_t value = reinterpret_cast<uintptr_t>(va_arg(args, void*));
        Directive pointerDirective = directive;
        pointerDirective.precision = static_cast<int>(2 * sizeof(void*));
        pointerDirective.alternate = false;
        EmitInteger(sink, pointerDirective, value, false, false, L'p');
        break;
      }
      case L'c':
      case L'C': {
        const bool narrow = size == Size::kShort || (conversion == L'C' && size != Size::kLong && size != Size::kWide);
        const unsigned int raw = va_arg(args, unsigned int);
        const wchar_t unit = narrow ? static_cast<wchar_t>(static_cast<unsigned char>(raw)) : static_cast<wchar_t>(raw);
        Directive field = directive;
        field.zero = false;
        field.precision = -1;
        EmitField(sink, field, L"", 0, &unit, 1);
        break;
      }
      case L's':
      case L'S': {
        const bool narrow = size == Size::kShort || (conversion == L'S' && size != Size::kLong && size != Size::kWide);
        if (narrow) {
          EmitNarrowText(sink, directive, va_arg(args, const char*));
        } else {
          EmitWideText(sink, directive, va_arg(args, const wchar_t*));
        }
        break;
      }
      case L'e':
      case L'E':
      case L'f':
      case L'F':
      case L'g':
      case L'G':
      case L'a':
      case L'A': {
        const double value = size == Size::kLongDouble ? static_cast<double>(va_arg(args, long double))
                                                       : va_arg(args, double);
        if (!EmitFloat(sink, directive, value, conversion)) failed = true;
        break;
      }
      default:
        failed = true;  // "%n" and every unknown conversion
        break;
    }
  }
  if (failed || sink.Count() > INT_MAX) {
    if (out != nullptr && outUnits > 0) out[0] = 0;
    return -1;
  }
  sink.Finish();
  return static_cast<int>(sink.Count());
}

int FormatWide(wchar_t* out, size_t outUnits, const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = FormatWideV(out, outUnits, format, args);
  va_end(args);
  return n;
}
