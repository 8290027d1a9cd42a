// A list of texts as a framework value.
#pragma once

#include "runtime/MStringArray.h"
#include "runtime/VolValueBase.h"

class CVolTextArray : public CVolValueBase {
 public:
  CVolTextArray() = default;
  // Flags, tag and a copy of every text.
  CVolTextArray(const CVolTextArray&) = default;
  CVolTextArray& operator=(const CVolTextArray& other);
  ~CVolTextArray() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, and the same texts in the same order.
  bool IsEqual(const CVolObject& other) const override;
  CVolTextArray* CreateNew() const override;
  CVolTextArray* Clone() const override;
  // Flags, tag and a copy of every text; assigning the list to itself keeps its texts.
  bool AssignFrom(const CVolObject& source) override;
  // Flags and tag 0, every text released.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // The list's listing, appended to out.
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // The list's stream form (see CMStringArray).
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;

  CMStringArray& Texts() { return texts_; }
  const CMStringArray& Texts() const { return texts_; }

 private:
  CMStringArray texts_;
};
