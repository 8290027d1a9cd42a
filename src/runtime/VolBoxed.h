// The boxed base values: one framework class per row of the base-type table, each holding one number
// or character after the object header. The two Alt classes behave exactly like their namesakes but
// are distinct classes with names of their own.
#pragma once

#include "runtime/VolBaseDataType.h"

#include <cstdint>

class CWString;

// Row: the class's index in the base-type table (0 to 7); it also keeps the Alt classes apart.
template <typename Value, int Row>
class CVolBoxed : public CVolBaseDataType {
 public:
  using ValueType = Value;
  static constexpr int kBaseTypeIndex = Row;

  CVolBoxed() = default;
  explicit CVolBoxed(Value value) : value_(value) {}
  CVolBoxed(const CVolBoxed&) = default;
  CVolBoxed& operator=(const CVolBoxed&) = default;
  ~CVolBoxed() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, and equal values; doubles count as equal when they differ by at
  // most 1e-6 (a NaN never does).
  bool IsEqual(const CVolObject& other) const override;
  CVolBoxed* CreateNew() const override;
  CVolBoxed* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  // Flags, tag and value 0.
  void Reset() override;
  // The own class, "CVolBaseDataType", "CVolObject".
  bool IsKindOf(const CVolClassInfo& info) const override;
  // Replaces out with the value's text: decimal for integers, the unit itself for a character (empty
  // for NUL), FormatDouble for a double.
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // The value's bytes, little-endian; a short read sets -3 and keeps the value.
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;
  void* GetValuePtr() override;

  Value GetValue() const { return value_; }
  void SetValue(Value value) { value_ = value; }

 private:
  Value value_ = 0;
};

using CVolBoxedInt8 = CVolBoxed<int8_t, 0>;
using CVolBoxedInt16 = CVolBoxed<int16_t, 1>;
using CVolBoxedChar = CVolBoxed<wchar_t, 2>;
using CVolBoxedInt32 = CVolBoxed<int32_t, 3>;
using CVolBoxedInt64 = CVolBoxed<int64_t, 4>;
using CVolBoxedInt64Alt = CVolBoxed<int64_t, 5>;
using CVolBoxedDouble = CVolBoxed<double, 6>;
using CVolBoxedInt32Alt = CVolBoxed<int32_t, 7>;

// Defined once, in the runtime library.
extern template class CVolBoxed<int8_t, 0>;
extern template class CVolBoxed<int16_t, 1>;
extern template class CVolBoxed<wchar_t, 2>;
extern template class CVolBoxed<int32_t, 3>;
extern template class CVolBoxed<int64_t, 4>;
extern template class CVolBoxed<int64_t, 5>;
extern template class CVolBoxed<double, 6>;
extern template class CVolBoxed<int32_t, 7>;
