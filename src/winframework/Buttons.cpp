#include "winframework/Buttons.h"

#include "winframework/FormAdapter.h"
#include "winframework/WinCreateInfo.h"

namespace {

CVolObject* CreateButtonBase() { return new CVolButtonBase(); }
CVolObject* CreateCheckBox() { return new CVolCheckBox(); }
CVolObject* CreatePushButton() { return new CVolPushButton(); }

constexpr uint32_t kCheckBoxStyle = WS_TABSTOP | BS_MULTILINE | BS_AUTOCHECKBOX;
constexpr uint32_t kPushButtonStyle = WS_TABSTOP | BS_MULTILINE | BS_PUSHBUTTON;

// The form adapter of the form a window is on: the window itself or the nearest ancestor with one.
CVWnd_WinForm* FormAdapterAbove(PlatformWindow* window) {
  while (window != nullptr && window->Handle() != nullptr) {
    if (auto* form = dynamic_cast<CVWnd_WinForm*>(window)) return form;
    window = PlatformWindow::FromHandle(GetParent(window->Handle()));
  }
  return nullptr;
}

}  // namespace

// ---- CVolButtonBase

CVolButtonBase::CVolButtonBase() : CVolWinControl(new CVWnd_Button()) {}

CVolButtonBase::~CVolButtonBase() { CVolButtonBase::DetachListener(); }

const CVolClassInfo& CVolButtonBase::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateButtonBase, "rg_n10458::rg_n10698");
  return info;
}

const CVolClassInfo& CVolButtonBase::GetClassInfo() const { return ClassInfo(); }

CVolButtonBase* CVolButtonBase::CreateNew() const { return new CVolButtonBase(); }

bool CVolButtonBase::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWinControl::IsKindOf(info);
}

int32_t CVolButtonBase::Create(CVolWinCreateInfo& info) {
  CVWnd_Button* adapter = ButtonAdapter();
  if (adapter == nullptr || HasWindow()) return 0;
  if (!CreateSystemWindow(*adapter, info)) return 0;
  if ((info.style & 0xF) == BS_DEFPUSHBUTTON) {
    CVWnd_WinForm* form = FormAdapterAbove(info.parentWindow);
    if (form != nullptr) form->defaultButtonId = info.controlId;
  }
  if (HasWindow()) OnWindowCreated(adapter, info);
  return 1;
}

void CVolButtonBase::AttachListener() {
  if (ButtonAdapter() != nullptr) ButtonAdapter()->SetListener(this);
}

void CVolButtonBase::DetachListener() {
  CVWnd_Button* adapter = ButtonAdapter();
  if (adapter != nullptr && adapter->Listener() == static_cast<IButtonEventListener*>(this)) {
    adapter->SetListener(nullptr);
  }
}

int32_t CVolButtonBase::HasListener() {
  return ButtonAdapter() != nullptr && ButtonAdapter()->Listener() != nullptr ? 1 : 0;
}

bool CVolButtonBase::OnWindowMessage(MSG& msg) { return ProcessMessage(msg) != 0; }

void CVolButtonBase::OnClick() { RaiseEvent(ButtonEvents::kClicked); }

// ---- CVolCheckBox

CVolCheckBox::CVolCheckBox() { Wrapper()->style |= kCheckBoxStyle; }

const CVolClassInfo& CVolCheckBox::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateCheckBox, "rg_n10458::rg_n10716");
  return info;
}

const CVolClassInfo& CVolCheckBox::GetClassInfo() const { return ClassInfo(); }

CVolCheckBox* CVolCheckBox::CreateNew() const { return new CVolCheckBox(); }

bool CVolCheckBox::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolButtonBase::IsKindOf(info);
}

// ---- CVolPushButton

CVolPushButton::CVolPushButton() { Wrapper()->style |= kPushButtonStyle; }

const CVolClassInfo& CVolPushButton::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreatePushButton, "rg_n10458::rg_n10754");
  return info;
}

const CVolClassInfo& CVolPushButton::GetClassInfo() const { return ClassInfo(); }

CVolPushButton* CVolPushButton::CreateNew() const { return new CVolPushButton(); }

bool CVolPushButton::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolButtonBase::IsKindOf(info);
}
