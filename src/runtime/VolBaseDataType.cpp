#include "runtime/VolBaseDataType.h"

namespace {

CVolObject* CreateBaseDataType() { return new CVolBaseDataType(); }

}  // namespace

const CVolClassInfo& CVolBaseDataType::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateBaseDataType, "CVolBaseDataType");
  return info;
}

const CVolClassInfo& CVolBaseDataType::GetClassInfo() const { return ClassInfo(); }

CVolBaseDataType* CVolBaseDataType::CreateNew() const { return new CVolBaseDataType(); }

CVolBaseDataType* CVolBaseDataType::Clone() const { return new CVolBaseDataType(*this); }

bool CVolBaseDataType::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

void* CVolBaseDataType::GetValuePtr() { return nullptr; }
