// The size limits of a form as its size-limits event sees them, copied from and back into the
// platform's MINMAXINFO.
#pragma once

#include "runtime/VolObject.h"
#include "runtime/VolPoint.h"
#include "runtime/VolSize.h"

#include <windows.h>

class CVolMinMaxInfo : public CVolObject {
 public:
  CVolMinMaxInfo() = default;
  explicit CVolMinMaxInfo(const MINMAXINFO& limits);
  CVolMinMaxInfo(const CVolMinMaxInfo&) = default;
  CVolMinMaxInfo& operator=(const CVolMinMaxInfo&) = default;
  ~CVolMinMaxInfo() override = default;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, and the four members equal.
  bool IsEqual(const CVolObject& other) const override;
  CVolMinMaxInfo* CreateNew() const override;
  CVolMinMaxInfo* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // The four members in order, each in its own stream form.
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;

  // The four members into limits (ptReserved stays).
  void CopyTo(MINMAXINFO& limits) const;

  CVolSize maxSize;
  CVolPoint maxPosition;
  CVolSize minTrackSize;
  CVolSize maxTrackSize;
};
