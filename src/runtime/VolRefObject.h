// A framework value that holds one counted reference to a shared CRefObject.
#pragma once

#include "runtime/VolObject.h"

class CRefObject;

class CVolRefObject : public CVolObject {
 public:
  CVolRefObject() = default;
  // Takes a reference of its own to target (may be null).
  explicit CVolRefObject(CRefObject* target);
  CVolRefObject(const CVolRefObject& other);
  CVolRefObject& operator=(const CVolRefObject& other);
  ~CVolRefObject() override;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Besides the mark and the tag: the same target (both null counts as equal).
  bool IsEqual(const CVolObject& other) const override;
  CVolRefObject* CreateNew() const override;
  CVolRefObject* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  CRefObject* GetRef() const { return ref_; }
  // AddRef on the new target first, then Release on the old one: binding the same target is safe.
  void SetRef(CRefObject* target);

 private:
  CRefObject* ref_ = nullptr;
};
