// The wide string of the framework: UTF-16 text that either borrows a constant text (a literal of
// the program) or owns a growable buffer.
//
// Storage modes and the value they give:
//   1. constText not null: the value is constText (borrowed, never freed).
//   2. constText null, buffer length 0: the value is EmptyText.
//   3. otherwise: the buffer's units, followed in the buffer by one NUL unit.
// Every operation that takes text measures it up to its first NUL.
#pragma once

#include "runtime/VolMem.h"
#include "runtime/VolObject.h"

#include <cstdarg>
#include <cstdint>

// The one shared empty text: a single constant NUL unit.
extern const wchar_t EmptyText[1];

class CWString : public CVolObject {
 public:
  // Granule of the owned buffer: strings of up to 126 units and the NUL fit one 256-byte pool block.
  static constexpr int64_t kGrowStep = 254;
  // Units a FormatInt64 output needs: a sign, 19 digits and the NUL.
  static constexpr int kInt64TextUnits = 21;

  CWString() = default;
  // A copy of text (empty for null or empty text).
  explicit CWString(const wchar_t* text);
  // AssignCounted(text, count).
  CWString(const wchar_t* text, int64_t count);
  // Decimal text, "%d".
  explicit CWString(int32_t value);
  // Decimal text by FormatInt64.
  explicit CWString(int64_t value);
  // FromUtf8 of the text.
  explicit CWString(const char* utf8);
  // FromAnsiBytes of the buffer.
  explicit CWString(const CVolMem& ansiBytes);
  // Same flags, tag and constText (a borrowed text stays borrowed), and a copy of the buffer bytes.
  CWString(const CWString& other);
  CWString(CWString&& other) noexcept;
  CWString& operator=(const CWString& other);
  CWString& operator=(CWString&& other) noexcept;
  ~CWString() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class record (a CWString and a CWConstString never compare equal), null mark, tag, and the
  // values unit by unit.
  bool IsEqual(const CVolObject& other) const override;
  CWString* CreateNew() const override;
  CWString* Clone() const override;
  // Accepts a CWString or a CWConstString source.
  bool AssignFrom(const CVolObject& source) override;
  // Flags, tag 0, constText null, buffer length 0 (the allocation stays).
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // out receives a copy of the value.
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // Clears the string, then loads the buffer form. Bytes that are not one NUL-terminated UTF-16 text
  // (a NUL unit last and none before it) are refused: status -3 and the string stays empty.
  void LoadFrom(IVolStream* stream) override;
  // The owned buffer's form (count, then the units and the NUL); borrowed and owned strings with the
  // same value save the same bytes, an empty string only the count 0.
  void SaveTo(IVolStream* stream) const override;

  // The value; never null.
  const wchar_t* GetText() const;
  bool IsEmpty() const { return GetText()[0] == 0; }
  // Units of the value up to its first NUL.
  int64_t GetLength() const;
  const wchar_t* GetConstText() const { return constText_; }
  const CVolMem& GetBuffer() const { return buffer_; }

  // constText null and the buffer released: mode 2.
  void Clear();
  // Copies a borrowed text (and its NUL) into the buffer and forgets the borrowed pointer.
  void MakeOwned();
  void Append(const wchar_t* text);
  void AppendChar(wchar_t unit);
  // Clears, then copies at most count units of text, cut at its first NUL.
  void AssignCounted(const wchar_t* text, int64_t count);
  // Clears, then prints the format (see WideFormat.h); a formatting error leaves the string empty.
  void Format(const wchar_t* format, ...);
  void FormatV(const wchar_t* format, va_list args);
  void AppendFormat(const wchar_t* format, ...);
  // 'a' to 'z' (or 'A' to 'Z') only; every other unit stays as it is.
  CWString& ToUpperAscii();
  CWString& ToLowerAscii();
  // Appends the text of a narrow UTF-8 string; empty input appends nothing. Invalid input is not
  // refused: each byte that cannot begin or continue a sequence, and each sequence cut short,
  // appends U+FFFD in its place.
  void FromUtf8(const char* utf8);
  // The value in the system ANSI code page, without a terminating NUL; empty on failure.
  CVolMem ToAnsiBytes() const;

  static CWString FromAnsiBytes(const CVolMem& bytes);
  // a then b; when one of them is empty, a copy of the other (which may keep borrowing its text).
  static CWString Concat(const CWString& a, const CWString& b);
  static CWString ConcatText(const CWString& a, const wchar_t* text);
  // Decimal text of value into out (kInt64TextUnits units at least).
  static void FormatInt64(int64_t value, wchar_t* out);
  // "0" for values within 1e-6 of zero, otherwise "%.15G".
  static CWString FormatDouble(double value);

 protected:
  // CWConstString: borrows text.
  struct BorrowTag {};
  CWString(BorrowTag, const wchar_t* text) : constText_(text) {}
  // Flags, tag, constText and the buffer bytes of the source.
  void CopyValueFrom(const CWString& source);

 private:
  // MakeOwned, then every unit from first to last is moved by shift.
  void ShiftAsciiRange(wchar_t first, wchar_t last, int shift);
  bool IsEmptyCheap() const { return constText_ != nullptr ? constText_[0] == 0 : buffer_.GetLength() < 3; }

  const wchar_t* constText_ = nullptr;
  CVolMem buffer_{kGrowStep};
};
