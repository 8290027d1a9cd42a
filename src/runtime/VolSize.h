// A size: width and height as signed 32-bit numbers.
#pragma once

#include "runtime/VolValueBase.h"

#include <cstdint>

class CVolSize : public CVolValueBase {
 public:
  CVolSize() = default;
  CVolSize(int32_t width, int32_t height) : width_(width), height_(height) {}
  CVolSize(const CVolSize&) = default;
  CVolSize& operator=(const CVolSize&) = default;
  ~CVolSize() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, width and height equal.
  bool IsEqual(const CVolObject& other) const override;
  CVolSize* CreateNew() const override;
  CVolSize* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  // Flags, tag, width and height 0.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // Replaces out with "{ 宽度: " width "; 高度: " height " }".
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // width then height, 4 bytes each; a short read sets -3 and reads nothing further.
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;

  int32_t GetWidth() const { return width_; }
  int32_t GetHeight() const { return height_; }
  void SetWidth(int32_t width) { width_ = width; }
  void SetHeight(int32_t height) { height_ = height; }

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
};
