#include "runtime/VolSize.h"

namespace {

CVolObject* CreateSize() { return new CVolSize(); }

}  // namespace

const CVolClassInfo& CVolSize::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateSize, "rg_n1::rg_n3394");
  return info;
}

const CVolClassInfo& CVolSize::GetClassInfo() const { return ClassInfo(); }

bool CVolSize::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  const CVolSize& o = static_cast<const CVolSize&>(other);
  return width_ == o.width_ && height_ == o.height_;
}

CVolSize* CVolSize::CreateNew() const { return new CVolSize(); }

CVolSize* CVolSize::Clone() const { return new CVolSize(*this); }

bool CVolSize::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  const CVolSize& s = static_cast<const CVolSize&>(source);
  CopyHeaderFrom(s);
  width_ = s.width_;
  height_ = s.height_;
  return true;
}

void CVolSize::Reset() {
  OnBeforeChange();
  ClearHeader();
  width_ = 0;
  height_ = 0;
}

bool CVolSize::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolValueBase::IsKindOf(info);
}

void CVolSize::GetDebugText(CWString& out, int32_t) const {
  WritePairText(out, L"{ 宽度: ", width_, L"; 高度: ", height_, L" }");
}

void CVolSize::LoadFrom(IVolStream* stream) { LoadPair(stream, &width_, &height_); }

void CVolSize::SaveTo(IVolStream* stream) const { SavePair(stream, width_, height_); }
