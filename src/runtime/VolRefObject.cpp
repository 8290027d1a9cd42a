#include "runtime/VolRefObject.h"

#include "runtime/RefObject.h"

namespace {

CVolObject* CreateVolRefObject() { return new CVolRefObject(); }

}  // namespace

CVolRefObject::CVolRefObject(CRefObject* target) { SetRef(target); }

CVolRefObject::CVolRefObject(const CVolRefObject& other) : CVolObject(other) { SetRef(other.ref_); }

CVolRefObject& CVolRefObject::operator=(const CVolRefObject& other) {
  CopyHeaderFrom(other);
  SetRef(other.ref_);
  return *this;
}

CVolRefObject::~CVolRefObject() {
  if (ref_ != nullptr) ref_->Release();
}

const CVolClassInfo& CVolRefObject::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateVolRefObject, "CVolRefObject");
  return info;
}

const CVolClassInfo& CVolRefObject::GetClassInfo() const { return ClassInfo(); }

void CVolRefObject::SetRef(CRefObject* target) {
  if (target != nullptr) target->AddRef();
  if (ref_ != nullptr) ref_->Release();
  ref_ = target;
}

bool CVolRefObject::IsEqual(const CVolObject& other) const {
  return HeaderEquals(other) && ref_ == static_cast<const CVolRefObject&>(other).ref_;
}

CVolRefObject* CVolRefObject::CreateNew() const { return new CVolRefObject(); }

CVolRefObject* CVolRefObject::Clone() const { return new CVolRefObject(*this); }

bool CVolRefObject::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  *this = static_cast<const CVolRefObject&>(source);
  return true;
}

void CVolRefObject::Reset() {
  OnBeforeChange();
  ClearHeader();
  if (ref_ != nullptr) ref_->Release();
  ref_ = nullptr;
}

bool CVolRefObject::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}
