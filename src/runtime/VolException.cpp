#include "runtime/VolException.h"

#include "runtime/VolStream.h"

namespace {

CVolObject* CreateVolException() { return new CVolException(); }

}  // namespace

CVolException::CVolException(const wchar_t* text) : code_(-1), description_(text) {}

const CVolClassInfo& CVolException::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateVolException, "CVolException");
  return info;
}

const CVolClassInfo& CVolException::GetClassInfo() const { return ClassInfo(); }

bool CVolException::IsEqual(const CVolObject& other) const {
  return HeaderEquals(other) && code_ == static_cast<const CVolException&>(other).code_;
}

CVolException* CVolException::CreateNew() const { return new CVolException(); }

CVolException* CVolException::Clone() const { return new CVolException(*this); }

bool CVolException::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  if (&source != this) *this = static_cast<const CVolException&>(source);
  return true;
}

void CVolException::Reset() {
  OnBeforeChange();
  ClearHeader();
  code_ = 0;
  description_.Clear();
}

bool CVolException::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

void CVolException::GetDebugText(CWString& out, int32_t) const {
  out.AppendFormat(L"代码: %d; 描述: %s", code_, description_.GetText());
}

void CVolException::SaveTo(IVolStream* stream) const {
  if (!StreamWriteInt32(stream, code_)) return;
  description_.SaveTo(stream);
}

void CVolException::LoadFrom(IVolStream* stream) {
  if (!StreamReadInt32(stream, &code_)) return;
  description_.LoadFrom(stream);
}
