// The runtime exception: a failure that makes further running pointless (a missing library or
// function at start). It is a framework value object, thrown by value and caught by reference.
#pragma once

#include "runtime/VolObject.h"
#include "runtime/WString.h"

#include <cstdint>

class CVolException : public CVolObject {
 public:
  // Code 0, empty description.
  CVolException() = default;
  // Code -1 and an owned copy of text (empty for null or empty text).
  explicit CVolException(const wchar_t* text);
  // Flags, tag, code and description (a borrowed description stays borrowed).
  CVolException(const CVolException& other) = default;
  CVolException& operator=(const CVolException& other) = default;
  ~CVolException() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark, tag and code; the description takes no part.
  bool IsEqual(const CVolObject& other) const override;
  CVolException* CreateNew() const override;
  CVolException* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  // Flags, tag and code 0, description empty.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // Appends "代码: <code>; 描述: <description>".
  void GetDebugText(CWString& out, int32_t maxItems) const override;
  // The code as 4 little-endian bytes, then the description in the string's stream form.
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;

  int32_t GetCode() const { return code_; }
  const CWString& GetDescription() const { return description_; }

 private:
  int32_t code_ = 0;
  CWString description_;
};
