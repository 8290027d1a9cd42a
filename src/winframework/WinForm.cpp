#include "winframework/WinForm.h"

#include "platform/PlatformApp.h"
#include "platform/WindowClass.h"
#include "winframework/DefaultFont.h"
#include "winframework/DpiScaling.h"
#include "winframework/EnvelopeDialog.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/MinMaxInfo.h"
#include "winframework/WinCreateInfo.h"

namespace {

CVolObject* CreateWinForm() { return new CVolWinForm(); }

constexpr UINT kNoMoveSizeActivate = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// The full rectangle of the monitor nearest window; the primary screen without a window.
RECT ReferenceArea(HWND window) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (window == nullptr) return area;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) != FALSE) {
    area = monitor.rcMonitor;
  }
  return area;
}

int64_t Clamp(int64_t value, int64_t low, int64_t high) { return value < low ? low : (value > high ? high : value); }

void LetTaskbarCreatedThrough(HWND window) {
  // Also when the program runs elevated and the shell does not: its icon must come back.
  using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  static const auto filter = reinterpret_cast<Filter>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  if (filter != nullptr && message != 0) filter(window, message, 1 /* MSGFLT_ALLOW */, nullptr);
}

}  // namespace

CVolWinForm::CVolWinForm() : CVolWindowBase(new CVWnd_WinForm()) {}

CVolWinForm::~CVolWinForm() { CVolWinForm::DetachListener(); }

const CVolClassInfo& CVolWinForm::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWinForm, "rg_n10458::CVolWinForm");
  return info;
}

const CVolClassInfo& CVolWinForm::GetClassInfo() const { return ClassInfo(); }

CVolWinForm* CVolWinForm::CreateNew() const { return new CVolWinForm(); }

bool CVolWinForm::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolWindowBase::IsKindOf(info);
}

void CVolWinForm::AttachListener() {
  if (FormAdapter() != nullptr) FormAdapter()->SetFormListener(this);
}

void CVolWinForm::DetachListener() {
  CVWnd_WinForm* adapter = FormAdapter();
  if (adapter != nullptr && adapter->FormListener() == static_cast<IWinFormEventListener*>(this)) {
    adapter->SetFormListener(nullptr);
  }
}

int32_t CVolWinForm::HasListener() {
  return FormAdapter() != nullptr && FormAdapter()->Listener() != nullptr ? 1 : 0;
}

void CVolWinForm::PrepareCreateInfo(CVolWinCreateInfo& info) {
  CVolWindowBase::PrepareCreateInfo(info);
  const CVWnd_WinForm& form = *FormAdapter();
  if (info.text.IsEmpty() && form.controlBox) info.text = CWString(kApplicationName);
  info.style |= WS_CLIPCHILDREN;
  if (form.borderStyle != 0) {
    if (!info.text.IsEmpty() || form.controlBox) info.style |= WS_CAPTION;
    if (form.controlBox) info.style |= WS_BORDER | WS_SYSMENU;
    info.style |= WS_DLGFRAME;
    if (form.maxButton) info.style |= WS_MAXIMIZEBOX;
    if (form.minButton) info.style |= WS_MINIMIZEBOX;
  }
  switch (form.borderStyle) {
    case 1: info.style |= WS_THICKFRAME; break;
    case 3:
      info.style |= WS_THICKFRAME;
      info.exStyle |= WS_EX_TOOLWINDOW;
      break;
    case 4: info.exStyle |= WS_EX_TOOLWINDOW; break;
    case 5:
      info.style |= WS_THICKFRAME;
      info.exStyle |= WS_EX_CLIENTEDGE;
      break;
    case 6: info.exStyle |= WS_EX_CLIENTEDGE; break;
    default: break;
  }
  if (form.startPosition == 2) info.style |= WS_MINIMIZE;
  if (form.startPosition == 3) info.style |= WS_MAXIMIZE;
  // An owned form is a pop-up unless the application asked for a child or a pop-up itself. The
  // control rules above already made every window with a parent a child, so the asked-for style
  // decides.
  const uint32_t asked = Wrapper()->style;
  if (info.parentWindow != nullptr && (asked & (WS_CHILD | WS_POPUP)) == 0) {
    info.style = (info.style & 0x3FFFFFFFu) | WS_POPUP;
  }
}

void CVolWinForm::AdjustCreateInfo(CVolWinCreateInfo& info) {
  CVolWindowBase::AdjustCreateInfo(info);
  const bool child = (info.style & WS_CHILD) != 0;
  const int32_t centredLeft = (GetSystemMetrics(SM_CXSCREEN) - info.width) / 2;
  const int32_t centredTop = (GetSystemMetrics(SM_CYSCREEN) - info.height) / 2;
  if (info.left == kDefaultRectValue) info.left = child ? 0 : centredLeft;
  if (info.top == kDefaultRectValue) info.top = child ? 0 : centredTop;
}

int32_t CVolWinForm::Create(CVolWinCreateInfo& info) {
  CVWnd_WinForm* adapter = FormAdapter();
  if (adapter == nullptr || HasWindow()) return 0;
  layoutDpi = DpiForCreation(info);
  PrepareCreateInfo(info);
  AdjustCreateInfo(info);
  adapter->host = nullptr;

  PlatformApp* app = PlatformApp::Current();
  const PlatformWindow* reference =
      info.parentWindow != nullptr ? info.parentWindow : (app != nullptr ? app->MainWindow() : nullptr);
  const bool childOfParent = info.parentWindow != nullptr && (info.style & WS_POPUP) == 0;
  if (!childOfParent) {
    const RECT area = ReferenceArea(reference != nullptr ? reference->Handle() : nullptr);
    if (adapter->startPosition == 1) {
      info.left = (area.right + area.left - info.width) / 2;
      info.top = (area.bottom + area.top - info.height) / 2;
    } else {
      info.left += area.left;
      info.top += area.top;
    }
  }

  if (info.modal != 0) {
    const HWND focused = GetFocus();
    info.modalResult = RunModal(info);
    if (focused != nullptr && IsWindow(focused)) SetFocus(focused);
    return 1;
  }
  if (CreateModelessWindow(info) == 0) return 0;
  // The window may have come up on a monitor of another DPI than the one it was laid out for.
  const UINT windowDpi = WindowDpi(Handle());
  if (windowDpi != layoutDpi) ApplyDpi(windowDpi, nullptr);
  OnWindowCreated(adapter, info);
  return 1;
}

int32_t CVolWinForm::RunModal(CVolWinCreateInfo& info) {
  CVolEnvelopeDialog host(*this, info);
  return static_cast<int32_t>(host.Run());
}

int32_t CVolWinForm::CreateModelessWindow(CVolWinCreateInfo& info) {
  CVWnd_WinForm& adapter = *FormAdapter();
  const bool child = info.parentWindow != nullptr && (info.style & WS_POPUP) == 0;
  HMENU menuOrId = nullptr;
  if (child) {
    menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(info.controlId));
  } else {
    adapter.menu.SetRef(info.menu.GetRef());
    const CVolMenu* menu = MenuOf(adapter.menu);
    menuOrId = menu != nullptr ? menu->Menu() : nullptr;
    if (adapter.FrameWindow() != nullptr) SetMenu(adapter.FrameWindow(), menuOrId);
  }

  const wchar_t* className = adapter.className.IsEmpty() ? L"VolWinForm" : adapter.className.GetText();
  RegisterLayerWindowClass(className, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                           static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), nullptr);
  const HWND parent = info.parentWindow != nullptr ? info.parentWindow->Handle() : nullptr;
  if (!adapter.CreateEx(info.exStyle, className, info.text.GetText(), info.style, info.left, info.top, info.width,
                        info.height, parent, menuOrId)) {
    return 0;
  }
  const HWND window = adapter.Handle();
  SetWindowLongPtrW(window, GWLP_USERDATA, FrameworkWindowMark);
  adapter.ApplyBorderRules();
  if (!child) LetTaskbarCreatedThrough(window);

  adapter.ApplyWindowIcons(layoutDpi);

  if (adapter.windowShape != 0) adapter.ApplyWindowShape();
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), TRUE);

  if (adapter.topmost) SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kNoMoveSizeActivate);
  if (!adapter.movable) DeleteMenu(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND);

  adapter.startPosition = Clamp(adapter.startPosition, 0, 3);
  if (IsWindowVisible(window) != FALSE && !child) ShowAtStartPosition(window);
  return 1;
}

void CVolWinForm::ShowAtStartPosition(HWND window) {
  switch (FormAdapter()->startPosition) {
    case 0: ShowWindow(window, SW_SHOWNORMAL); return;
    case 2: ShowWindow(window, SW_MINIMIZE); return;
    case 3: ShowWindow(window, SW_MAXIMIZE); return;
    default: break;
  }
  if (IsIconic(window) != FALSE || IsZoomed(window) != FALSE) ShowWindow(window, SW_RESTORE);
  const RECT area = ReferenceArea(window);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left = (area.right + area.left - width) / 2;
  const int top = (area.bottom + area.top - height) / 2;
  if (bounds.left != left || bounds.top != top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

int32_t CVolWinForm::ProcessMessage(MSG& msg) {
  if (CVolWindowBase::ProcessMessage(msg) != 0) return 1;
  if (msg.message != WM_DPICHANGED) return 0;
  const auto* suggested = reinterpret_cast<const RECT*>(msg.lParam);
  ApplyDpi(HIWORD(msg.wParam), suggested);
  return 1;
}

int32_t CVolWinForm::CreateDesignedChild(CVolWinControl& control, CVolWinCreateInfo& info) {
  const DesignedChild design{nullptr, nullptr, nullptr, info.left, info.top, info.width, info.height};
  const RECT place = ScaleDesignRect(info.left, info.top, info.width, info.height, layoutDpi);
  info.left = place.left;
  info.top = place.top;
  info.width = place.right - place.left;
  info.height = place.bottom - place.top;
  const int32_t created = control.Create(info);
  if (created != 0 && control.HasWindow()) {
    DesignedChild child = design;
    child.window = control.Handle();
    child.adapter = control.Adapter();
    child.wrapper = control.Wrapper();
    designedChildren_.push_back(child);
  }
  return created;
}

void CVolWinForm::ApplyDpi(UINT dpi, const RECT* bounds) {
  const HWND window = Handle();
  if (window == nullptr || dpi == 0) return;
  layoutDpi = dpi;
  constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE;

  if (bounds != nullptr) {
    SetWindowPos(window, nullptr, bounds->left, bounds->top, bounds->right - bounds->left,
                 bounds->bottom - bounds->top, kPlace);
  } else if (GetDefaultClientWidth() > 0 && GetDefaultClientHeight() > 0) {
    RECT outer{0, 0, ScaleToDpi(GetDefaultClientWidth(), dpi), ScaleToDpi(GetDefaultClientHeight(), dpi)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const bool hasMenu = (style & WS_CHILD) == 0 && GetMenu(window) != nullptr;
    RECT now{};
    if (AdjustWindowRectForDpi(outer, style, hasMenu, exStyle, dpi) && GetWindowRect(window, &now) != FALSE) {
      const int width = outer.right - outer.left;
      const int height = outer.bottom - outer.top;
      POINT topLeft{(now.left + now.right - width) / 2, (now.top + now.bottom - height) / 2};
      if ((style & WS_CHILD) != 0) ScreenToClient(GetParent(window), &topLeft);
      SetWindowPos(window, nullptr, topLeft.x, topLeft.y, width, height, kPlace);
    }
  }

  // Each window gets its new font before its wrapper lets go of the old one.
  HFONT formFont = CreateDefaultFont(dpi);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(formFont), TRUE);
  Wrapper()->SetFont(formFont, dpi);

  std::vector<DesignedChild> alive;
  for (const DesignedChild& child : designedChildren_) {
    if (IsWindow(child.window) == FALSE || PlatformWindow::FromHandle(child.window) != child.adapter) continue;
    alive.push_back(child);
    const RECT place = ScaleDesignRect(child.left, child.top, child.width, child.height, dpi);
    int height = place.bottom - place.top;
    // A drop-down combo box's asked-for height is that of its dropped list, which the systems resize
    // differently; the list keeps its height (the box's closed height follows its font).
    wchar_t className[16] = {};
    GetClassNameW(child.window, className, 16);
    if (lstrcmpiW(className, L"ComboBox") == 0 && (GetWindowLongPtrW(child.window, GWL_STYLE) & 3) != CBS_SIMPLE) {
      RECT closed{};
      GetWindowRect(child.window, &closed);
      height = closed.bottom - closed.top;
    }
    SetWindowPos(child.window, nullptr, place.left, place.top, place.right - place.left, height, kPlace);
    HFONT font = CreateDefaultFont(dpi);
    SendMessageW(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    child.wrapper->SetFont(font, dpi);
  }
  designedChildren_.swap(alive);

  FormAdapter()->ApplyWindowIcons(dpi);
}

int32_t CVolWinForm::OnPreTranslate(HWND, UINT, WPARAM, LPARAM, MSG&) { return 1; }

int32_t CVolWinForm::OnPreTranslate(MSG& msg) {
  return OnPreTranslate(msg.hwnd, msg.message, msg.wParam, msg.lParam, msg);
}

int32_t CVolWinForm::OnCommand(int32_t id) { return RaiseEvent(FormEvents::kCommand, id); }

int32_t CVolWinForm::OnQueryClose() { return RaiseEvent(FormEvents::kQueryClose) == 0 ? 1 : 0; }

int32_t CVolWinForm::OnCloseRequest() { return RaiseEvent(FormEvents::kCloseRequest) == 0 ? 1 : 0; }

void CVolWinForm::OnFirstActivate() { RaiseEvent(FormEvents::kFirstActivate); }

void CVolWinForm::OnActivated() { RaiseEvent(FormEvents::kActivated); }

void CVolWinForm::OnDeactivated() { RaiseEvent(FormEvents::kDeactivated); }

void CVolWinForm::OnTrayNotify(int32_t kind) { RaiseEvent(FormEvents::kTrayNotify, kind); }

int32_t CVolWinForm::OnMenuSelect(int32_t itemId) { return RaiseEvent(FormEvents::kMenuSelect, itemId); }

int32_t CVolWinForm::OnMinMaxInfo(CVolMinMaxInfo& info) { return RaiseEvent(FormEvents::kMinMaxInfo, info); }

void CVolWinForm::OnDialogInit() { RaiseEvent(FormEvents::kDialogInit); }

void CVolWinForm::SetBorderStyle(int64_t borderStyle) {
  FormAdapter()->borderStyle = Clamp(borderStyle, 0, 6);
  FormAdapter()->ApplyBorderRules();
}

void CVolWinForm::SetControlBox(bool controlBox) {
  FormAdapter()->controlBox = controlBox;
  FormAdapter()->ApplyBorderRules();
}

void CVolWinForm::SetMaxButton(bool maxButton) {
  FormAdapter()->maxButton = maxButton;
  FormAdapter()->ApplyBorderRules();
}

void CVolWinForm::SetMinButton(bool minButton) {
  FormAdapter()->minButton = minButton;
  FormAdapter()->ApplyBorderRules();
}

void CVolWinForm::SetWindowShape(int64_t windowShape) {
  FormAdapter()->windowShape = Clamp(windowShape, 0, 2);
  FormAdapter()->ApplyWindowShape();
}

void CVolWinForm::SetTopmost(bool topmost) {
  FormAdapter()->topmost = topmost;
  if (HasWindow()) SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kNoMoveSizeActivate);
}

void CVolWinForm::SetVisible(bool visible) {
  if (HasWindow()) {
    ShowWindow(FormAdapter()->FrameWindow(), visible ? SW_SHOW : SW_HIDE);
  } else if (visible) {
    Wrapper()->style |= WS_VISIBLE;
  } else {
    Wrapper()->style &= ~static_cast<uint32_t>(WS_VISIBLE);
  }
}

bool CVolWinForm::IsVisible() const {
  if (HasWindow()) return IsWindowVisible(Handle()) != FALSE;
  return (Wrapper()->style & WS_VISIBLE) != 0;
}
