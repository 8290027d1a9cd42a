#include "runtime/VolPoint.h"

namespace {

CVolObject* CreatePoint() { return new CVolPoint(); }

}  // namespace

const CVolClassInfo& CVolPoint::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreatePoint, "rg_n1::rg_n3268");
  return info;
}

const CVolClassInfo& CVolPoint::GetClassInfo() const { return ClassInfo(); }

bool CVolPoint::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  const CVolPoint& o = static_cast<const CVolPoint&>(other);
  return x_ == o.x_ && y_ == o.y_;
}

CVolPoint* CVolPoint::CreateNew() const { return new CVolPoint(); }

CVolPoint* CVolPoint::Clone() const { return new CVolPoint(*this); }

bool CVolPoint::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  const CVolPoint& s = static_cast<const CVolPoint&>(source);
  CopyHeaderFrom(s);
  x_ = s.x_;
  y_ = s.y_;
  return true;
}

void CVolPoint::Reset() {
  OnBeforeChange();
  ClearHeader();
  x_ = 0;
  y_ = 0;
}

bool CVolPoint::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolValueBase::IsKindOf(info);
}

void CVolPoint::GetDebugText(CWString& out, int32_t) const {
  WritePairText(out, L"{ 横向位置: ", x_, L"; 纵向位置: ", y_, L" }");
}

void CVolPoint::LoadFrom(IVolStream* stream) { LoadPair(stream, &x_, &y_); }

void CVolPoint::SaveTo(IVolStream* stream) const { SavePair(stream, x_, y_); }
