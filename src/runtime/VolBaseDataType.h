// The common base of the boxed base values (numbers and characters held as framework objects).
#pragma once

#include "runtime/VolObject.h"

class CVolBaseDataType : public CVolObject {
 public:
  CVolBaseDataType() = default;
  CVolBaseDataType(const CVolBaseDataType&) = default;
  CVolBaseDataType& operator=(const CVolBaseDataType&) = default;
  ~CVolBaseDataType() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  CVolBaseDataType* CreateNew() const override;
  CVolBaseDataType* Clone() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // 19. The address of the boxed value; null here, where there is none.
  virtual void* GetValuePtr();
};
