#include "winframework/WinCreateInfo.h"

CVolMenu::~CVolMenu() {
  if (menu_ != nullptr) DestroyMenu(menu_);
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
}

const CVolClassTag& CVolMenu::ClassInfo() {
  static const CVolClassTag tag = MakeClassTag("rg_n10458::CVolMenu");
  return tag;
}

const CVolClassTag& CVolMenu::GetClassInfo() const { return ClassInfo(); }

bool CVolMenu::IsKindOf(const CVolClassTag& tag) const { return SameClass(tag, ClassInfo()); }

CVolMenu* MenuOf(const CVolRefObject& reference) {
  CRefObject* target = reference.GetRef();
  if (target == nullptr || !target->IsKindOf(CVolMenu::ClassInfo())) return nullptr;
  return static_cast<CVolMenu*>(target);
}

namespace {

CVolObject* CreateReferenceBase() { return new CVolReferenceBase(); }
CVolObject* CreateWinCreateInfo() { return new CVolWinCreateInfo(); }

}  // namespace

const CVolClassInfo& CVolReferenceBase::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateReferenceBase, "rg_n1::rg_n2301");
  return info;
}

const CVolClassInfo& CVolReferenceBase::GetClassInfo() const { return ClassInfo(); }

CVolReferenceBase* CVolReferenceBase::CreateNew() const { return new CVolReferenceBase(); }

CVolReferenceBase* CVolReferenceBase::Clone() const { return new CVolReferenceBase(*this); }

bool CVolReferenceBase::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

const CVolClassInfo& CVolWinCreateInfo::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWinCreateInfo, "rg_n10458::rg_n12611");
  return info;
}

const CVolClassInfo& CVolWinCreateInfo::GetClassInfo() const { return ClassInfo(); }

bool CVolWinCreateInfo::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  const auto& o = static_cast<const CVolWinCreateInfo&>(other);
  return parentWindow == o.parentWindow && parentControl == o.parentControl && left == o.left && top == o.top &&
         width == o.width && height == o.height && controlId == o.controlId && style == o.style &&
         exStyle == o.exStyle && text.IsEqual(o.text) && menu.GetRef() == o.menu.GetRef() && modal == o.modal &&
         fixedDialogFrame == o.fixedDialogFrame && modalResult == o.modalResult && font == o.font;
}

CVolWinCreateInfo* CVolWinCreateInfo::CreateNew() const { return new CVolWinCreateInfo(); }

CVolWinCreateInfo* CVolWinCreateInfo::Clone() const { return new CVolWinCreateInfo(*this); }

bool CVolWinCreateInfo::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  *this = static_cast<const CVolWinCreateInfo&>(source);
  return true;
}

void CVolWinCreateInfo::Reset() {
  OnBeforeChange();
  *this = CVolWinCreateInfo();
}

bool CVolWinCreateInfo::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolReferenceBase::IsKindOf(info);
}
