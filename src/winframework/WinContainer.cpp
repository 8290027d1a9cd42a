#include "winframework/WinContainer.h"

#include "platform/WindowClass.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/WinCreateInfo.h"

namespace {

CVolObject* CreateWinContainer() { return new CVolWinContainer(); }
CVolObject* CreateWindowBase() { return new CVolWindowBase(); }

}  // namespace

UINT DpiForCreation(const CVolWinCreateInfo& info) {
  CVolWinControl* parent = info.parentControl;
  if (parent != nullptr && parent->HasWindow() && parent->IsKindOf(CVolWinContainer::ClassInfo())) {
    return static_cast<CVolWinContainer*>(parent)->layoutDpi;
  }
  if (info.parentWindow != nullptr && info.parentWindow->Handle() != nullptr) {
    return WindowDpi(info.parentWindow->Handle());
  }
  return PrimaryMonitorDpi();
}

// ---- CVolWinContainer

const CVolClassInfo& CVolWinContainer::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWinContainer, "rg_n10458::CVolWinContainer");
  return info;
}

const CVolClassInfo& CVolWinContainer::GetClassInfo() const { return ClassInfo(); }

CVolWinContainer* CVolWinContainer::CreateNew() const { return new CVolWinContainer(); }

bool CVolWinContainer::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWinControl::IsKindOf(info);
}

void CVolWinContainer::PrepareCreateInfo(CVolWinCreateInfo& info) {
  CVolWinControl::PrepareCreateInfo(info);
  info.exStyle |= WS_EX_CONTROLPARENT;
}

void CVolWinContainer::AdjustCreateInfo(CVolWinCreateInfo& info) {
  if (info.HasDefaultSize()) {
    const int32_t clientWidth = GetDefaultClientWidth();
    const int32_t clientHeight = GetDefaultClientHeight();
    info.width = 0;
    info.height = 0;
    if (clientWidth > 0 && clientHeight > 0) {
      RECT area{0, 0, ScaleToDpi(clientWidth, layoutDpi), ScaleToDpi(clientHeight, layoutDpi)};
      const CVolMenu* menu = MenuOf(info.menu);
      const bool hasMenu = info.parentWindow == nullptr && menu != nullptr && menu->Menu() != nullptr;
      if (AdjustWindowRectForDpi(area, info.style, hasMenu, info.exStyle, layoutDpi)) {
        info.width = area.right - area.left;
        info.height = area.bottom - area.top;
      }
    }
  }
  outerWidth = info.width;
  outerHeight = info.height;
}

int32_t CVolWinContainer::GetDefaultClientWidth() { return 0; }

int32_t CVolWinContainer::GetDefaultClientHeight() { return 0; }

void CVolWinContainer::OnCreateChildren() {}

// ---- CVolWindowBase

CVolWindowBase::CVolWindowBase() : CVolWindowBase(new CVWnd_Container()) {}

CVolWindowBase::CVolWindowBase(CVWnd_Container* adapter) : CVolWinContainer(adapter) {}

CVolWindowBase::~CVolWindowBase() { CVolWindowBase::DetachListener(); }

const CVolClassInfo& CVolWindowBase::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWindowBase, "rg_n10458::rg_n10464");
  return info;
}

const CVolClassInfo& CVolWindowBase::GetClassInfo() const { return ClassInfo(); }

CVolWindowBase* CVolWindowBase::CreateNew() const { return new CVolWindowBase(); }

bool CVolWindowBase::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWinContainer::IsKindOf(info);
}

int32_t CVolWindowBase::Create(CVolWinCreateInfo& info) {
  CVWnd_Container* adapter = ContainerAdapter();
  if (adapter == nullptr || HasWindow()) return 0;
  layoutDpi = DpiForCreation(info);
  PrepareCreateInfo(info);
  AdjustCreateInfo(info);
  info.style &= ~static_cast<uint32_t>(WS_TABSTOP);
  if (adapter->picture) info.exStyle |= WS_EX_TRANSPARENT;
  RegisterLayerWindowClass(L"VolContainer", CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                           static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), nullptr);
  const HWND parent = info.parentWindow != nullptr ? info.parentWindow->Handle() : nullptr;
  if (!adapter->CreateEx(info.exStyle, L"VolContainer", info.text.GetText(), info.style, info.left, info.top,
                         info.width, info.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(info.controlId)))) {
    return 0;
  }
  SetWindowLongPtrW(adapter->Handle(), GWLP_USERDATA, FrameworkWindowMark);
  OnWindowCreated(adapter, info);
  return 1;
}

void CVolWindowBase::PrepareCreateInfo(CVolWinCreateInfo& info) {
  CVolWinContainer::PrepareCreateInfo(info);
  if (HasListener() == 0) AttachListener();
}

void CVolWindowBase::AttachListener() {
  if (ContainerAdapter() != nullptr) ContainerAdapter()->SetListener(this);
}

void CVolWindowBase::DetachListener() {
  CVWnd_Container* adapter = ContainerAdapter();
  if (adapter != nullptr && adapter->Listener() == static_cast<IContainerEventListener*>(this)) {
    adapter->SetListener(nullptr);
  }
}

int32_t CVolWindowBase::HasListener() {
  return ContainerAdapter() != nullptr && ContainerAdapter()->Listener() != nullptr ? 1 : 0;
}

bool CVolWindowBase::OnWindowMessage(MSG& msg) { return ProcessMessage(msg) != 0; }

void CVolWindowBase::OnCreated() {
  OnCreateChildren();
  RaiseEvent(ContainerEvents::kCreated);
}

void CVolWindowBase::OnDestroyed() { RaiseEvent(ContainerEvents::kDestroyed); }

void CVolWindowBase::OnContainerNotify() { RaiseEvent(ContainerEvents::kContainerNotify); }

void CVolWindowBase::OnSized() { RaiseEvent(ContainerEvents::kSized); }

void CVolWindowBase::OnShowChanged(bool shown) { RaiseEvent(shown ? ContainerEvents::kShown : ContainerEvents::kHidden); }

void CVolWindowBase::OnMoved() { RaiseEvent(ContainerEvents::kMoved); }

int32_t CVolWindowBase::OnCommand(int32_t id) { return RaiseEvent(ContainerEvents::kCommand, id); }
