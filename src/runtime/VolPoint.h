// A point: horizontal and vertical position as signed 32-bit numbers.
#pragma once

#include "runtime/VolValueBase.h"

#include <cstdint>

class CVolPoint : public CVolValueBase {
 public:
  CVolPoint() = default;
  CVolPoint(int32_t x, int32_t y) : x_(x), y_(y) {}
  CVolPoint(const CVolPoint&) = default;
  CVolPoint& operator=(const CVolPoint&) = default;
  ~CVolPoint() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, both positions equal.
  bool IsEqual(const CVolObject& other) const override;
  CVolPoint* CreateNew() const override;
  CVolPoint* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  // Flags, tag and both positions 0.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // Replaces out with "{ 横向位置: " x "; 纵向位置: " y " }".
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // x then y, 4 bytes each; a short read sets -3 and reads nothing further.
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;

  int32_t GetX() const { return x_; }
  int32_t GetY() const { return y_; }
  void SetX(int32_t x) { x_ = x; }
  void SetY(int32_t y) { y_ = y; }

 private:
  int32_t x_ = 0;  // horizontal position
  int32_t y_ = 0;  // vertical position
};
