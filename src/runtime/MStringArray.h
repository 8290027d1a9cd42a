// A list of wide texts. Each entry is null (an empty text) or a block of its units and a NUL, taken
// from the pool through the list's own memory manager and owned by the list.
#pragma once

#include "runtime/ClassInfo.h"
#include "runtime/VolCommonBase.h"
#include "runtime/VolMem.h"

#include <cstdint>

class CWString;
class IVolStream;

class CMStringArray final : public CVolCommonBaseWithMemManager {
 public:
  // Granule of the pointer array (8 bytes an entry).
  static constexpr int64_t kGrowStep = 256;

  CMStringArray() = default;
  // A copy of every text.
  CMStringArray(const CMStringArray& other);
  CMStringArray& operator=(const CMStringArray& other);
  // Releases every text and the pointer array.
  ~CMStringArray();

  // The reduced record: name, length and hash, no factory.
  static const CVolClassTag& ClassInfo();

  // The two operations after the memory manager.
  virtual const CVolClassTag& GetClassInfo() const;
  // Only the own record.
  virtual bool IsKindOf(const CVolClassTag& tag) const;

  int64_t GetCount() const { return items_.GetLength() / static_cast<int64_t>(sizeof(wchar_t*)); }
  // The text of entry index; the empty text for a null entry or an index outside the list.
  const wchar_t* GetAt(int64_t index) const;
  // Appends a copy of text, up to its first NUL; a null or empty text is held as a null entry.
  void Add(const wchar_t* text);
  // Releases every text block, then the pointer array.
  void Clear();
  // Clear, then a copy of every text of source. Copying the list onto itself keeps it as it is.
  void CopyFrom(const CMStringArray& source);
  // Equal counts and every pair of texts equal unit by unit (a null entry counts as the empty text).
  bool TextsEqual(const CMStringArray& other) const;

  // The listing header, then "\r\n<k>. " and the quoted text for each listed entry (k from 1).
  void AppendDebugText(CWString& out, int32_t maxItems) const;
  // A signed 32-bit count, then every text in the string's stream form (a null entry as count 0).
  void SaveTo(IVolStream* stream) const;
  // Clear, then the count and one text after another, stopping at the first stream error; the
  // entries loaded before it stay. A negative count is a bad read (-3) and loads nothing.
  void LoadFrom(IVolStream* stream);

 private:
  wchar_t** Items() const { return reinterpret_cast<wchar_t**>(items_.GetData()); }
  // Appends an owned block of units units and a NUL, or a null entry for units 0.
  void AddCounted(const wchar_t* text, int64_t units);

  CVolMem items_{kGrowStep};
};
