#include "runtime/VolObject.h"

#include "runtime/WString.h"

namespace {

CVolObject* CreateVolObject() { return new CVolObject(); }

}  // namespace

const CVolClassInfo& CVolObject::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateVolObject, "CVolObject");
  return info;
}

const CVolClassInfo& CVolObject::GetClassInfo() const { return ClassInfo(); }

bool CVolObject::HeaderEquals(const CVolObject& other) const {
  return SameClass(GetClassInfo(), other.GetClassInfo()) && IsNullObject() == other.IsNullObject() &&
         tag_ == other.tag_;
}

bool CVolObject::IsEqual(const CVolObject& other) const { return HeaderEquals(other); }

// Through the class record, so that a subclass that keeps these two operations still gets its own
// class back instead of a CVolObject cut from it.
CVolObject* CVolObject::CreateNew() const {
  const VolObjectFactory factory = GetClassInfo().factory;
  return factory != nullptr ? factory() : new CVolObject();
}

CVolObject* CVolObject::Clone() const {
  CVolObject* copy = CreateNew();
  copy->AssignFrom(*this);
  return copy;
}

bool CVolObject::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  CopyHeaderFrom(source);
  return true;
}

void CVolObject::Reset() {
  OnBeforeChange();
  ClearHeader();
}

void CVolObject::Destroy(uint64_t flags) {
  this->~CVolObject();
  if (flags & 1) OperatorFree(this);
}

void CVolObject::Delete(CVolObject* object) {
  if (object != nullptr) object->Destroy(1);
}

bool CVolObject::IsKindOf(const CVolClassInfo& info) const { return SameClass(info, ClassInfo()); }

void CVolObject::GetDebugText(CWString& out, int32_t) const {
  CWString className;
  className.FromUtf8(GetClassInfo().name);
  out.AppendFormat(L"无法解析的对象数据,其输出类名为: \"%s\", 地址为: 0x%I64X", className.GetText(),
                   static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(this)));
  if (IsNullObject()) out.Append(L", 为空对象");
}

void CVolObject::LoadFrom(IVolStream*) {}

void CVolObject::SaveTo(IVolStream*) const {}

void CVolObject::OnBeforeChange() {}
