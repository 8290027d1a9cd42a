#include "runtime/VolTextArray.h"

namespace {

CVolObject* CreateTextArray() { return new CVolTextArray(); }

}  // namespace

CVolTextArray& CVolTextArray::operator=(const CVolTextArray& other) {
  CopyHeaderFrom(other);
  texts_.CopyFrom(other.texts_);
  return *this;
}

const CVolClassInfo& CVolTextArray::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateTextArray, "rg_n1::rg_n1727");
  return info;
}

const CVolClassInfo& CVolTextArray::GetClassInfo() const { return ClassInfo(); }

bool CVolTextArray::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  if (&other == this) return true;
  return texts_.TextsEqual(static_cast<const CVolTextArray&>(other).texts_);
}

CVolTextArray* CVolTextArray::CreateNew() const { return new CVolTextArray(); }

CVolTextArray* CVolTextArray::Clone() const { return new CVolTextArray(*this); }

bool CVolTextArray::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  *this = static_cast<const CVolTextArray&>(source);
  return true;
}

void CVolTextArray::Reset() {
  OnBeforeChange();
  ClearHeader();
  texts_.Clear();
}

bool CVolTextArray::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolValueBase::IsKindOf(info);
}

void CVolTextArray::GetDebugText(CWString& out, int32_t maxItems) const { texts_.AppendDebugText(out, maxItems); }

void CVolTextArray::LoadFrom(IVolStream* stream) { texts_.LoadFrom(stream); }

void CVolTextArray::SaveTo(IVolStream* stream) const { texts_.SaveTo(stream); }
