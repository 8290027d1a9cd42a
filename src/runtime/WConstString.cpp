#include "runtime/WConstString.h"

namespace {

CVolObject* CreateWConstString() { return new CWConstString(); }

}  // namespace

const CVolClassInfo& CWConstString::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWConstString, "CWConstString");
  return info;
}

const CVolClassInfo& CWConstString::GetClassInfo() const { return ClassInfo(); }

CWConstString* CWConstString::CreateNew() const { return new CWConstString(); }

CWConstString* CWConstString::Clone() const { return new CWConstString(*this); }

bool CWConstString::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  CopyValueFrom(static_cast<const CWString&>(source));
  return true;
}

bool CWConstString::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CWString::IsKindOf(info);
}
