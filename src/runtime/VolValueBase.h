// The base of the small composite values (point, size, text list). It adds no fields; it gives its
// subclasses the text and stream forms of a pair of 32-bit numbers.
#pragma once

#include "runtime/VolObject.h"

#include <cstdint>

class CVolValueBase : public CVolObject {
 public:
  CVolValueBase() = default;
  CVolValueBase(const CVolValueBase&) = default;
  CVolValueBase& operator=(const CVolValueBase&) = default;
  ~CVolValueBase() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  CVolValueBase* CreateNew() const override;
  CVolValueBase* Clone() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

 protected:
  // out becomes first, a, second, b, last, the numbers in decimal.
  static void WritePairText(CWString& out, const wchar_t* first, int32_t a, const wchar_t* second, int32_t b,
                            const wchar_t* last);
  // a then b, 4 little-endian bytes each.
  static void SavePair(IVolStream* stream, int32_t a, int32_t b);
  // Reads a then b; a short read sets -3, keeps the value it was meant for and reads nothing further.
  static void LoadPair(IVolStream* stream, int32_t* a, int32_t* b);
};
