#include "runtime/VolBoxed.h"

#include "runtime/VolStream.h"
#include "runtime/WString.h"

namespace {

const char* const kBoxedClassNames[8] = {
    "rg_n1::rg_n2303", "rg_n1::rg_n2305", "rg_n1::rg_n2307", "rg_n1::rg_n2309",
    "rg_n1::rg_n2311", "rg_n1::rg_n2313", "rg_n1::rg_n2315", "rg_n1::rg_n2317",
};

template <typename Value>
bool ValuesEqual(Value a, Value b) {
  return a == b;
}

// Doubles that went through arithmetic rarely match bit for bit. Written so that a NaN on either side
// fails both comparisons.
bool ValuesEqual(double a, double b) {
  const double difference = a - b;
  return difference >= -1e-6 && difference <= 1e-6;
}

CWString ValueText(int8_t value) { return CWString(static_cast<int32_t>(value)); }
CWString ValueText(int16_t value) { return CWString(static_cast<int32_t>(value)); }
CWString ValueText(int32_t value) { return CWString(value); }
CWString ValueText(int64_t value) { return CWString(value); }
CWString ValueText(double value) { return CWString::FormatDouble(value); }
CWString ValueText(wchar_t value) {
  const wchar_t text[2] = {value, 0};  // a NUL unit makes the empty text
  return CWString(text);
}

template <typename Value, int Row>
CVolObject* CreateBoxed() {
  return new CVolBoxed<Value, Row>();
}

}  // namespace

template <typename Value, int Row>
const CVolClassInfo& CVolBoxed<Value, Row>::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateBoxed<Value, Row>, kBoxedClassNames[Row]);
  return info;
}

template <typename Value, int Row>
const CVolClassInfo& CVolBoxed<Value, Row>::GetClassInfo() const {
  return ClassInfo();
}

template <typename Value, int Row>
bool CVolBoxed<Value, Row>::IsEqual(const CVolObject& other) const {
  return HeaderEquals(other) && ValuesEqual(value_, static_cast<const CVolBoxed&>(other).value_);
}

template <typename Value, int Row>
CVolBoxed<Value, Row>* CVolBoxed<Value, Row>::CreateNew() const {
  return new CVolBoxed();
}

template <typename Value, int Row>
CVolBoxed<Value, Row>* CVolBoxed<Value, Row>::Clone() const {
  return new CVolBoxed(*this);
}

template <typename Value, int Row>
bool CVolBoxed<Value, Row>::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  CopyHeaderFrom(source);
  value_ = static_cast<const CVolBoxed&>(source).value_;
  return true;
}

template <typename Value, int Row>
void CVolBoxed<Value, Row>::Reset() {
  OnBeforeChange();
  ClearHeader();
  value_ = 0;
}

template <typename Value, int Row>
bool CVolBoxed<Value, Row>::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolBaseDataType::IsKindOf(info);
}

template <typename Value, int Row>
void CVolBoxed<Value, Row>::GetDebugText(CWString& out, int32_t) const {
  const CWString text = ValueText(value_);
  out.AssignCounted(text.GetText(), text.GetLength());
}

template <typename Value, int Row>
void CVolBoxed<Value, Row>::LoadFrom(IVolStream* stream) {
  StreamReadLittleEndian(stream, &value_, static_cast<int>(sizeof(Value)));
}

template <typename Value, int Row>
void CVolBoxed<Value, Row>::SaveTo(IVolStream* stream) const {
  StreamWriteLittleEndian(stream, &value_, static_cast<int>(sizeof(Value)));
}

template <typename Value, int Row>
void* CVolBoxed<Value, Row>::GetValuePtr() {
  return &value_;
}

template class CVolBoxed<int8_t, 0>;
template class CVolBoxed<int16_t, 1>;
template class CVolBoxed<wchar_t, 2>;
template class CVolBoxed<int32_t, 3>;
template class CVolBoxed<int64_t, 4>;
template class CVolBoxed<int64_t, 5>;
template class CVolBoxed<double, 6>;
template class CVolBoxed<int32_t, 7>;
