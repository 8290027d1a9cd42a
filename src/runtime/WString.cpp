#include "runtime/WString.h"

#include "runtime/VolStream.h"
#include "runtime/WideFormat.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <cwchar>
#include <utility>

const wchar_t EmptyText[1] = {0};

namespace {

CVolObject* CreateWString() { return new CWString(); }

constexpr int64_t kUnit = sizeof(wchar_t);

int64_t TextLength(const wchar_t* text) { return text == nullptr ? 0 : static_cast<int64_t>(std::wcslen(text)); }

// A buffer holding count units of text and a NUL.
CVolMem OwnedText(const wchar_t* text, int64_t count) {
  CVolMem buffer(CWString::kGrowStep);
  wchar_t* units = reinterpret_cast<wchar_t*>(buffer.SetSize((count + 1) * kUnit));
  std::memcpy(units, text, static_cast<size_t>(count * kUnit));
  units[count] = 0;
  return buffer;
}

}  // namespace

CWString::CWString(const wchar_t* text) { Append(text); }

CWString::CWString(const wchar_t* text, int64_t count) { AssignCounted(text, count); }

CWString::CWString(int32_t value) { Format(L"%d", value); }

CWString::CWString(int64_t value) {
  wchar_t digits[kInt64TextUnits];
  FormatInt64(value, digits);
  Append(digits);
}

CWString::CWString(const char* utf8) { FromUtf8(utf8); }

CWString::CWString(const CVolMem& ansiBytes) { *this = FromAnsiBytes(ansiBytes); }

CWString::CWString(const CWString& other) : CVolObject(other), constText_(other.constText_), buffer_(other.buffer_) {}

CWString::CWString(CWString&& other) noexcept
    : CVolObject(other), constText_(other.constText_), buffer_(std::move(other.buffer_)) {
  other.constText_ = nullptr;
}

CWString& CWString::operator=(const CWString& other) {
  CopyValueFrom(other);
  return *this;
}

CWString& CWString::operator=(CWString&& other) noexcept {
  if (&other == this) return *this;
  CopyHeaderFrom(other);
  constText_ = other.constText_;
  buffer_ = std::move(other.buffer_);
  other.constText_ = nullptr;
  return *this;
}

void CWString::CopyValueFrom(const CWString& source) {
  if (&source == this) return;
  CopyHeaderFrom(source);
  constText_ = source.constText_;
  buffer_.CopyFrom(source.buffer_);
}

const CVolClassInfo& CWString::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWString, "CWString");
  return info;
}

const CVolClassInfo& CWString::GetClassInfo() const { return ClassInfo(); }

bool CWString::IsEqual(const CVolObject& other) const {
  return HeaderEquals(other) && std::wcscmp(GetText(), static_cast<const CWString&>(other).GetText()) == 0;
}

CWString* CWString::CreateNew() const { return new CWString(); }

CWString* CWString::Clone() const { return new CWString(*this); }

bool CWString::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  CopyValueFrom(static_cast<const CWString&>(source));
  return true;
}

void CWString::Reset() {
  OnBeforeChange();
  ClearHeader();
  constText_ = nullptr;
  buffer_.SetLengthInPlace(0);
}

bool CWString::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

void CWString::GetDebugText(CWString& out, int32_t) const {
  if (&out == this) return;
  out.AssignCounted(GetText(), GetLength());
}

void CWString::SaveTo(IVolStream* stream) const {
  if (!StreamIsHealthy(stream)) return;
  // The value and its NUL, exactly as an owned buffer holds it, whatever the mode.
  const int64_t units = GetLength();
  if (units == 0) {
    StreamWriteInt32(stream, 0);
    return;
  }
  const int64_t bytes = (units + 1) * kUnit;
  if (bytes > INT32_MAX) {
    stream->status = IVolStream::kWriteFailed;
    return;
  }
  if (!StreamWriteInt32(stream, static_cast<int32_t>(bytes))) return;
  StreamWriteExact(stream, GetText(), bytes);
}

void CWString::LoadFrom(IVolStream* stream) {
  if (!StreamIsHealthy(stream)) return;
  Clear();
  buffer_.LoadFrom(stream);
  const int64_t length = buffer_.GetLength();
  if (length == 0) return;
  const wchar_t* units = reinterpret_cast<const wchar_t*>(buffer_.GetData());
  // Text without its NUL unit would be read past the end of the buffer; a NUL before the last unit
  // would end the text early while the length still counts every unit, hiding what is appended later.
  const bool oneTerminatedText =
      length % kUnit == 0 && units[length / kUnit - 1] == 0 &&
      std::wmemchr(units, 0, static_cast<size_t>(length / kUnit - 1)) == nullptr;
  if (!oneTerminatedText) {
    if (stream->status == IVolStream::kHealthy) stream->status = IVolStream::kReadFailed;
    Clear();
  }
}

const wchar_t* CWString::GetText() const {
  if (constText_ != nullptr) return constText_;
  if (buffer_.GetLength() == 0) return EmptyText;
  return reinterpret_cast<const wchar_t*>(buffer_.GetData());
}

int64_t CWString::GetLength() const { return TextLength(GetText()); }

void CWString::Clear() {
  constText_ = nullptr;
  buffer_.Clear();
}

void CWString::MakeOwned() {
  if (constText_ == nullptr) return;
  const wchar_t* text = constText_;
  const int64_t units = TextLength(text);
  constText_ = nullptr;
  wchar_t* owned = reinterpret_cast<wchar_t*>(buffer_.SetSize((units + 1) * kUnit));
  std::memcpy(owned, text, static_cast<size_t>((units + 1) * kUnit));
}

void CWString::Append(const wchar_t* text) {
  if (text == nullptr || text[0] == 0) return;
  MakeOwned();
  const int64_t units = TextLength(text);
  const int64_t length = buffer_.GetLength();
  if (length >= kUnit && reinterpret_cast<const wchar_t*>(buffer_.GetData())[length / kUnit - 1] == 0) {
    buffer_.SetLengthInPlace(length - kUnit);
  }
  buffer_.AppendBytes(text, (units + 1) * kUnit);
}

void CWString::AppendChar(wchar_t unit) {
  if (unit == 0) return;
  const wchar_t text[2] = {unit, 0};
  Append(text);
}

void CWString::AssignCounted(const wchar_t* text, int64_t count) {
  if (count < 1 || text == nullptr || text[0] == 0) {
    Clear();
    return;
  }
  int64_t units = 0;
  while (units < count && text[units] != 0) ++units;
  // Copied before the old buffer is released: text may lie in it.
  CVolMem owned = OwnedText(text, units);
  Clear();
  buffer_ = std::move(owned);
}

void CWString::Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CWString::FormatV(const wchar_t* format, va_list args) {
  // Most texts are short: one print into a local buffer both measures and produces them. A longer
  // text is measured by that print and printed again into a buffer of its size.
  wchar_t local[256];
  va_list firstArgs;
  va_copy(firstArgs, args);
  const int needed = FormatWideV(local, 256, format, firstArgs);
  va_end(firstArgs);
  if (needed < 1) {
    Clear();
    return;
  }
  // Printed into a fresh buffer before the old one is released: an argument may point into it.
  CVolMem printed(kGrowStep);
  wchar_t* units = reinterpret_cast<wchar_t*>(printed.SetSize((static_cast<int64_t>(needed) + 1) * kUnit));
  int written = needed;
  if (needed < 256) {
    std::memcpy(units, local, (static_cast<size_t>(needed) + 1) * sizeof(wchar_t));
  } else {
    written = FormatWideV(units, static_cast<size_t>(needed) + 1, format, args);
  }
  Clear();
  if (written < 1) return;
  printed.SetLengthInPlace((static_cast<int64_t>(written < needed ? written : needed) + 1) * kUnit);
  buffer_ = std::move(printed);
}

void CWString::AppendFormat(const wchar_t* format, ...) {
  CWString formatted;
  va_list args;
  va_start(args, format);
  formatted.FormatV(format, args);
  va_end(args);
  Append(formatted.GetText());
}

void CWString::ShiftAsciiRange(wchar_t first, wchar_t last, int shift) {
  MakeOwned();
  wchar_t* units = reinterpret_cast<wchar_t*>(buffer_.GetData());
  for (int64_t i = 0; i < buffer_.GetLength() / kUnit; ++i) {
    if (units[i] >= first && units[i] <= last) units[i] = static_cast<wchar_t>(units[i] + shift);
  }
}

CWString& CWString::ToUpperAscii() {
  ShiftAsciiRange(L'a', L'z', L'A' - L'a');
  return *this;
}

CWString& CWString::ToLowerAscii() {
  ShiftAsciiRange(L'A', L'Z', L'a' - L'A');
  return *this;
}

void CWString::FromUtf8(const char* utf8) {
  if (utf8 == nullptr) return;
  const size_t bytes = std::strlen(utf8);
  if (bytes == 0 || bytes > INT_MAX) return;
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(bytes), nullptr, 0);
  if (units <= 0) return;
  CVolMem converted(kGrowStep);
  wchar_t* text = reinterpret_cast<wchar_t*>(converted.SetSize((static_cast<int64_t>(units) + 1) * kUnit));
  if (MultiByteToWideChar(CP_UTF8, 0, utf8, static_cast<int>(bytes), text, units) != units) return;
  text[units] = 0;
  Append(text);
}

CVolMem CWString::ToAnsiBytes() const {
  CVolMem bytes;
  if (IsEmpty()) return bytes;
  const wchar_t* text = GetText();
  const int needed = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (needed <= 1) return bytes;
  char* out = reinterpret_cast<char*>(bytes.SetSize(needed));
  const int converted = WideCharToMultiByte(CP_ACP, 0, text, -1, out, needed, nullptr, nullptr);
  if (converted <= 1) {
    bytes.Clear();
    return bytes;
  }
  bytes.SetSize(converted - 1);  // without the terminating NUL
  return bytes;
}

CWString CWString::FromAnsiBytes(const CVolMem& bytes) {
  CWString result;
  // Four zero bytes make the input terminated whatever it holds.
  CVolMem terminated(bytes);
  terminated.AppendBytes(nullptr, 4);
  const char* text = reinterpret_cast<const char*>(terminated.GetData());
  if (text[0] == 0) return result;
  const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (units <= 0) return result;
  CVolMem converted(kGrowStep);
  wchar_t* wide = reinterpret_cast<wchar_t*>(converted.SetSize(static_cast<int64_t>(units) * kUnit));
  const int done = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, units);
  if (done <= 0) return result;
  result.AssignCounted(wide, done - 1);
  return result;
}

CWString CWString::Concat(const CWString& a, const CWString& b) {
  if (a.IsEmptyCheap()) return CWString(b);
  if (b.IsEmptyCheap()) return CWString(a);
  const wchar_t* first = a.GetText();
  const wchar_t* second = b.GetText();
  const int64_t firstUnits = TextLength(first);
  const int64_t secondUnits = TextLength(second);
  CWString result;
  wchar_t* units = reinterpret_cast<wchar_t*>(result.buffer_.SetSize((firstUnits + secondUnits + 1) * kUnit));
  std::memcpy(units, first, static_cast<size_t>(firstUnits * kUnit));
  std::memcpy(units + firstUnits, second, static_cast<size_t>(secondUnits * kUnit));
  units[firstUnits + secondUnits] = 0;
  return result;
}

CWString CWString::ConcatText(const CWString& a, const wchar_t* text) {
  if (text == nullptr || text[0] == 0) return CWString(a);
  CWString result(a.GetText());
  result.Append(text);
  return result;
}

void CWString::FormatInt64(int64_t value, wchar_t* out) {
  static const wchar_t kMinimum[] = L"-9223372036854775808";
  if (value == 0) {
    out[0] = L'0';
    out[1] = 0;
    return;
  }
  if (value == INT64_MIN) {
    std::memcpy(out, kMinimum, sizeof kMinimum);
    return;
  }
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  // Digits least significant first, into the end of a scratch array.
  wchar_t scratch[kInt64TextUnits];
  int first = kInt64TextUnits - 1;
  scratch[first] = 0;
  while (magnitude != 0) {
    scratch[--first] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  }
  if (negative) scratch[--first] = L'-';
  std::memcpy(out, scratch + first, static_cast<size_t>(kInt64TextUnits - first) * sizeof(wchar_t));
}

CWString CWString::FormatDouble(double value) {
  CWString result;
  if (value >= -1e-6 && value <= 1e-6) {
    result.Append(L"0");
  } else {
    result.Format(L"%.15G", value);
  }
  return result;
}
