// The framework's growable byte buffer: the storage beneath every string, pointer list and runtime
// table. It grows and shrinks in whole granules chosen by its owner.
#pragma once

#include "runtime/VolObject.h"

#include <cstdint>

class CWString;

class CVolMem : public CVolObject {
 public:
  static constexpr int64_t kDefaultGrowStep = 64;

  // growStep: allocation granule in bytes; 0 or less counts as 64.
  explicit CVolMem(int64_t growStep = kDefaultGrowStep) : growStep_(growStep) {}
  // A copy has the source's granule, flags, tag and bytes.
  CVolMem(const CVolMem& other);
  CVolMem(CVolMem&& other) noexcept;
  // As CopyFrom: the target keeps its own granule.
  CVolMem& operator=(const CVolMem& other);
  // Takes over the other buffer's allocation, flags and tag; the own granule stays.
  CVolMem& operator=(CVolMem&& other) noexcept;
  ~CVolMem() override;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, equal length and bytes.
  bool IsEqual(const CVolObject& other) const override;
  CVolMem* CreateNew() const override;
  // A new buffer with the default granule, then CopyFrom.
  CVolMem* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  // Flags, tag and length 0; the allocation stays in place.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // The hexadecimal dump, appended to out; at most maxItems bytes (1024 for 0, all for < 0).
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // A signed 32-bit byte count, then the bytes. A count that is negative, or bytes the stream cannot
  // deliver, set the status to -3 and leave the buffer as it was.
  void LoadFrom(IVolStream* stream) override;
  // A signed 32-bit byte count, then the bytes. A length beyond 2^31 - 1 bytes cannot be described by
  // the count: the status becomes -4 and nothing is written.
  void SaveTo(IVolStream* stream) const override;

  unsigned char* GetData() const { return data_; }
  int64_t GetLength() const { return length_; }
  int64_t GetCapacity() const { return capacity_; }
  int64_t GetGrowStep() const { return growStep_; }
  void SetGrowStep(int64_t growStep) { growStep_ = growStep; }
  bool IsEmpty() const { return length_ == 0; }

  // New length n in bytes; answers the data pointer. 0 releases the allocation; otherwise the block
  // is (re)allocated to g * (n / g + 1) bytes when it is too small or more than one granule g would be
  // left free. New bytes are not cleared. A negative n changes nothing.
  unsigned char* SetSize(int64_t n);
  // Sets the length without any reallocation; n must lie within 0 and the capacity (else nothing).
  void SetLengthInPlace(int64_t n);
  // Copies count bytes to the end (zeros for a null source). The source may lie in this buffer.
  void AppendBytes(const void* source, int64_t count);
  // The units of text and its NUL; a null or empty text appends one NUL unit.
  void AppendWideZ(const wchar_t* text);
  // The units of text without the NUL; a null or empty text appends nothing.
  void AppendWide(const wchar_t* text);
  // Replaces del bytes at pos by ins bytes from source (zeros for null). The range is clipped to the
  // buffer; a position beyond the end appends.
  void ReplaceRange(int64_t pos, int64_t del, const void* source, int64_t ins);
  // Removes n bytes at pos; a negative pos cuts the last n bytes. Releases the allocation when nothing
  // remains.
  void RemoveRange(int64_t pos, int64_t n);
  // Takes the other buffer's flags, tag, length and bytes; the own granule stays.
  void CopyFrom(const CVolMem& other);
  // Releases the allocation: data null, length 0, capacity 0.
  void Clear();
  // The MD5 digest (RFC 1321) of the bytes as 32 lower-case hexadecimal digits.
  CWString Md5Hex() const;

 private:
  int64_t Granule() const { return growStep_ <= 0 ? kDefaultGrowStep : growStep_; }

  unsigned char* data_ = nullptr;
  int64_t capacity_ = 0;
  int64_t length_ = 0;
  int64_t growStep_ = kDefaultGrowStep;
};

// An unsigned 32-bit value as exactly 8 upper-case hexadecimal digits (out holds at least 9 units).
void FormatHex32(uint32_t value, wchar_t* out);
