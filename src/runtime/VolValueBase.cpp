#include "runtime/VolValueBase.h"

#include "runtime/VolStream.h"
#include "runtime/WConstString.h"
#include "runtime/WString.h"

namespace {

CVolObject* CreateValueBase() { return new CVolValueBase(); }

}  // namespace

const CVolClassInfo& CVolValueBase::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateValueBase, "rg_n1::rg_n2152");
  return info;
}

const CVolClassInfo& CVolValueBase::GetClassInfo() const { return ClassInfo(); }

CVolValueBase* CVolValueBase::CreateNew() const { return new CVolValueBase(); }

CVolValueBase* CVolValueBase::Clone() const { return new CVolValueBase(*this); }

bool CVolValueBase::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

void CVolValueBase::WritePairText(CWString& out, const wchar_t* first, int32_t a, const wchar_t* second, int32_t b,
                                  const wchar_t* last) {
  const CWString head = CWString::ConcatText(CWString::Concat(CWConstString(first), CWString(a)), second);
  const CWString text = CWString::ConcatText(CWString::Concat(head, CWString(b)), last);
  out.AssignCounted(text.GetText(), text.GetLength());
}

void CVolValueBase::SavePair(IVolStream* stream, int32_t a, int32_t b) {
  if (StreamWriteInt32(stream, a)) StreamWriteInt32(stream, b);
}

void CVolValueBase::LoadPair(IVolStream* stream, int32_t* a, int32_t* b) {
  if (StreamReadInt32(stream, a)) StreamReadInt32(stream, b);
}
