// The creation record that Create takes: where the window goes, its rectangle and id (filled by the
// caller), its styles, text and font (filled by PrepareCreateInfo), and for forms the menu and the
// modal run.
#pragma once

#include "runtime/RefObject.h"
#include "runtime/VolObject.h"
#include "runtime/VolRefObject.h"
#include "runtime/WString.h"
#include "winframework/FrameworkMessages.h"

#include <windows.h>

#include <cstdint>

class PlatformWindow;
class CVolWinControl;

// A menu with its accelerator table, shared by count; both handles are destroyed with it. The
// program itself builds none.
class CVolMenu final : public CRefObject {
 public:
  CVolMenu(HMENU menu, HACCEL accelerators) : menu_(menu), accelerators_(accelerators) {}
  ~CVolMenu() override;

  static const CVolClassTag& ClassInfo();
  const CVolClassTag& GetClassInfo() const override;
  bool IsKindOf(const CVolClassTag& tag) const override;

  HMENU Menu() const { return menu_; }
  HACCEL Accelerators() const { return accelerators_; }

 private:
  HMENU menu_;
  HACCEL accelerators_;
};

// The menu behind a counted menu reference, null when it holds none.
CVolMenu* MenuOf(const CVolRefObject& reference);

// The field-less base of the framework's reference records.
class CVolReferenceBase : public CVolObject {
 public:
  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolReferenceBase* CreateNew() const override;
  CVolReferenceBase* Clone() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;
};

class CVolWinCreateInfo : public CVolReferenceBase {
 public:
  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  // Every field equal (the menu by identity).
  bool IsEqual(const CVolObject& other) const override;
  CVolWinCreateInfo* CreateNew() const override;
  CVolWinCreateInfo* Clone() const override;
  bool AssignFrom(const CVolObject& source) override;
  // The defaults below.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  bool HasDefaultSize() const { return width == kDefaultRectValue || height == kDefaultRectValue; }

  PlatformWindow* parentWindow = nullptr;    // owner or parent window
  CVolWinControl* parentControl = nullptr;   // handed to the control's created event
  int32_t left = kDefaultRectValue;
  int32_t top = kDefaultRectValue;
  int32_t width = kDefaultRectValue;
  int32_t height = kDefaultRectValue;
  int32_t controlId = 0;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  CWString text;
  CVolRefObject menu;           // a CVolMenu, or nothing
  int32_t modal = 0;            // nonzero: the form runs inside a modal host
  int32_t fixedDialogFrame = 0;  // modal only: the fixed dialog style
  int32_t modalResult = 0;      // the modal form's result, set by Create
  HFONT font = nullptr;         // sent with WM_SETFONT; owned by the window's wrapper
};
