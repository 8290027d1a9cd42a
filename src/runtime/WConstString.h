// The borrowing flavour of CWString, used for literals: construction stores the pointer and copies
// nothing, and copies of it keep borrowing.
#pragma once

#include "runtime/WString.h"

class CWConstString : public CWString {
 public:
  CWConstString() = default;
  // Borrows text; its owner keeps it alive (in practice a literal).
  explicit CWConstString(const wchar_t* text) : CWString(BorrowTag{}, text) {}
  CWConstString(const CWConstString&) = default;
  CWConstString& operator=(const CWConstString&) = default;
  ~CWConstString() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  CWConstString* CreateNew() const override;
  CWConstString* Clone() const override;
  // Accepts only a CWConstString source.
  bool AssignFrom(const CVolObject& source) override;
  bool IsKindOf(const CVolClassInfo& info) const override;
};
