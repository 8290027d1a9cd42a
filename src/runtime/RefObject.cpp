#include "runtime/RefObject.h"

const CVolClassTag& CRefObject::ClassInfo() {
  static const CVolClassTag tag = MakeClassTag("CRefObject");
  return tag;
}

const CVolClassTag& CRefObject::GetClassInfo() const { return ClassInfo(); }

bool CRefObject::IsKindOf(const CVolClassTag& tag) const { return SameClass(tag, GetClassInfo()); }

void CRefObject::Destroy(uint64_t flags) {
  this->~CRefObject();
  if (flags & 1) OperatorFree(this);
}

bool CRefObject::Release() {
  if (refCount_.fetch_sub(1) != 1) return false;
  OnFinalRelease();
  Destroy(1);
  return true;
}

void CRefObject::OnFinalRelease() {}
