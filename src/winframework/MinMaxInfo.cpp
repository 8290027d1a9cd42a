#include "winframework/MinMaxInfo.h"

namespace {

CVolObject* CreateMinMaxInfo() { return new CVolMinMaxInfo(); }

CVolSize SizeOf(const POINT& point) { return CVolSize(point.x, point.y); }

POINT PointOf(const CVolSize& size) { return POINT{size.GetWidth(), size.GetHeight()}; }

}  // namespace

CVolMinMaxInfo::CVolMinMaxInfo(const MINMAXINFO& limits)
    : maxSize(SizeOf(limits.ptMaxSize)),
      maxPosition(limits.ptMaxPosition.x, limits.ptMaxPosition.y),
      minTrackSize(SizeOf(limits.ptMinTrackSize)),
      maxTrackSize(SizeOf(limits.ptMaxTrackSize)) {}

const CVolClassInfo& CVolMinMaxInfo::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateMinMaxInfo, "rg_n10458::rg_n10527");
  return info;
}

const CVolClassInfo& CVolMinMaxInfo::GetClassInfo() const { return ClassInfo(); }

bool CVolMinMaxInfo::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  const auto& o = static_cast<const CVolMinMaxInfo&>(other);
  return maxSize.IsEqual(o.maxSize) && maxPosition.IsEqual(o.maxPosition) && minTrackSize.IsEqual(o.minTrackSize) &&
         maxTrackSize.IsEqual(o.maxTrackSize);
}

CVolMinMaxInfo* CVolMinMaxInfo::CreateNew() const { return new CVolMinMaxInfo(); }

CVolMinMaxInfo* CVolMinMaxInfo::Clone() const { return new CVolMinMaxInfo(*this); }

bool CVolMinMaxInfo::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  *this = static_cast<const CVolMinMaxInfo&>(source);
  return true;
}

void CVolMinMaxInfo::Reset() {
  OnBeforeChange();
  *this = CVolMinMaxInfo();
}

bool CVolMinMaxInfo::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

void CVolMinMaxInfo::LoadFrom(IVolStream* stream) {
  maxSize.LoadFrom(stream);
  maxPosition.LoadFrom(stream);
  minTrackSize.LoadFrom(stream);
  maxTrackSize.LoadFrom(stream);
}

void CVolMinMaxInfo::SaveTo(IVolStream* stream) const {
  maxSize.SaveTo(stream);
  maxPosition.SaveTo(stream);
  minTrackSize.SaveTo(stream);
  maxTrackSize.SaveTo(stream);
}

void CVolMinMaxInfo::CopyTo(MINMAXINFO& limits) const {
  limits.ptMaxSize = PointOf(maxSize);
  limits.ptMaxPosition = POINT{maxPosition.GetX(), maxPosition.GetY()};
  limits.ptMinTrackSize = PointOf(minTrackSize);
  limits.ptMaxTrackSize = PointOf(maxTrackSize);
}
