#include "winframework/WinControl.h"

#include "winframework/DefaultFont.h"
#include "winframework/KeyNormalization.h"
#include "winframework/WinContainer.h"
#include "winframework/WinCreateInfo.h"

#include <shellapi.h>

#include <string>

namespace {

CVolObject* CreateWinControl() { return new CVolWinControl(); }

// Window codes that want keys: arrows, tab, all keys, characters.
constexpr LRESULT kWantsKeys = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
// Style changes take effect without moving, sizing, reordering or activating the window.
constexpr UINT kStyleUpdate = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

void ChangeStyle(HWND window, LONG_PTR add, LONG_PTR remove, UINT flags) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  SetWindowLongPtrW(window, GWL_STYLE, (style & ~remove) | add);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, flags);
}

}  // namespace

CVolWinControl::CVolWinControl() : CVolWinControl(new PlatformWindow()) {}

CVolWinControl::CVolWinControl(PlatformWindow* adapter) {
  CMfcWndObject* wrapper = new CMfcWndObject(adapter);
  SetRef(wrapper);
  wrapper->Release();  // the reference held by this object is the only one
}

CVolWinControl::~CVolWinControl() = default;

const CVolClassInfo& CVolWinControl::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateWinControl, "rg_n10458::CVolWinControl");
  return info;
}

const CVolClassInfo& CVolWinControl::GetClassInfo() const { return ClassInfo(); }

bool CVolWinControl::IsEqual(const CVolObject& other) const {
  if (!HeaderEquals(other)) return false;
  const auto& o = static_cast<const CVolWinControl&>(other);
  return Wrapper() == o.Wrapper() && dataText_.IsEqual(o.dataText_);
}

CVolWinControl* CVolWinControl::CreateNew() const { return new CVolWinControl(); }

CVolWinControl* CVolWinControl::Clone() const {
  CVolWinControl* copy = CreateNew();
  copy->AssignFrom(*this);
  return copy;
}

bool CVolWinControl::AssignFrom(const CVolObject& source) {
  if (!source.IsKindOf(GetClassInfo())) return false;
  OnBeforeChange();
  const auto& s = static_cast<const CVolWinControl&>(source);
  if (&s == this) return true;
  CopyHeaderFrom(s);
  SetRef(s.GetRef());
  dataText_ = s.dataText_;
  return true;
}

void CVolWinControl::Reset() {
  CVolObject* fresh = CreateNew();
  AssignFrom(*fresh);
  CVolObject::Delete(fresh);
}

bool CVolWinControl::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolRefObject::IsKindOf(info);
}

void CVolWinControl::LoadFrom(IVolStream* stream) { dataText_.LoadFrom(stream); }

void CVolWinControl::SaveTo(IVolStream* stream) const { dataText_.SaveTo(stream); }

void CVolWinControl::OnBeforeChange() { DetachListener(); }

int32_t CVolWinControl::Create(CVolWinCreateInfo&) { return 0; }

void CVolWinControl::PrepareCreateInfo(CVolWinCreateInfo& info) {
  CMfcWndObject* wrapper = Wrapper();
  if (wrapper == nullptr) return;
  info.text = wrapper->text;
  info.style = wrapper->style;
  info.exStyle = wrapper->exStyle;
  if (info.parentWindow != nullptr && (info.style & WS_POPUP) == 0) {
    info.style |= WS_CHILD;
  } else {
    info.style &= ~static_cast<uint32_t>(WS_CHILD);
  }
  // A font made for another DPI (an earlier window on another display) is made again.
  const UINT dpi = DpiForCreation(info);
  if (wrapper->Font() == nullptr || wrapper->FontDpi() != dpi) wrapper->SetFont(CreateDefaultFont(dpi), dpi);
  info.font = wrapper->Font();
}

void CVolWinControl::AdjustCreateInfo(CVolWinCreateInfo&) {}

bool CVolWinControl::CreateSystemWindow(PlatformSystemControl& control, CVolWinCreateInfo& info) {
  PrepareCreateInfo(info);
  AdjustCreateInfo(info);
  const HWND parent = info.parentWindow != nullptr ? info.parentWindow->Handle() : nullptr;
  return control.Create(info.exStyle, info.text.GetText(), info.style, info.left, info.top, info.width, info.height,
                        parent, info.controlId);
}

void CVolWinControl::OnWindowCreated(PlatformWindow* window, CVolWinCreateInfo& info) {
  const HWND handle = window != nullptr ? window->Handle() : nullptr;
  if (handle == nullptr) return;
  if (info.font != nullptr) SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), TRUE);
  if ((info.style & WS_TABSTOP) == 0 && (SendMessageW(handle, WM_GETDLGCODE, 0, 0) & kWantsKeys) != 0) {
    ChangeStyle(handle, WS_TABSTOP, 0, kStyleUpdate);
  }
  if ((info.style & WS_BORDER) == 0 && (GetWindowLongPtrW(handle, GWL_STYLE) & WS_BORDER) != 0) {
    ChangeStyle(handle, 0, WS_BORDER, kStyleUpdate | SWP_FRAMECHANGED);
  }
  if (info.parentControl != nullptr && info.parentControl->HasWindow()) {
    RaiseEvent(ControlEvents::kCreated, info.parentControl, info.controlId);
  }
}

int32_t CVolWinControl::ProcessMessage(MSG& msg) {
  if (RaiseEvent(ControlEvents::kAnyMessage, msg.hwnd, msg.message, msg.wParam, msg.lParam, &msg) != 0) return 1;
  switch (msg.message) {
    case WM_SETFOCUS: return RaiseEvent(ControlEvents::kFocusGained) != 0 ? 1 : 0;
    case WM_KILLFOCUS: return RaiseEvent(ControlEvents::kFocusLost) != 0 ? 1 : 0;
    case WM_SETCURSOR: {
      const CMfcWndObject* wrapper = Wrapper();
      if (wrapper == nullptr || wrapper->cursor == nullptr) return 0;
      SetCursor(wrapper->cursor);
      return 1;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: return RaiseKeyEvent(ControlEvents::kKeyDown, msg);
    case WM_KEYUP:
    case WM_SYSKEYUP: return RaiseKeyEvent(ControlEvents::kKeyUp, msg);
    case WM_CHAR: {
      const int32_t result = RaiseEvent(ControlEvents::kCharacter, static_cast<int32_t>(msg.wParam & 0xFFFF));
      if (result < 0) return 1;
      if (result > 0) msg.wParam = static_cast<WPARAM>(result);
      return 0;
    }
    case WM_LBUTTONDOWN: return RaiseMouseEvent(ControlEvents::kLeftButtonDown, msg);
    case WM_LBUTTONUP: return RaiseMouseEvent(ControlEvents::kLeftButtonUp, msg);
    case WM_LBUTTONDBLCLK: return RaiseMouseEvent(ControlEvents::kLeftDoubleClick, msg);
    case WM_RBUTTONDOWN: return RaiseMouseEvent(ControlEvents::kRightButtonDown, msg);
    case WM_RBUTTONUP: return RaiseMouseEvent(ControlEvents::kRightButtonUp, msg);
    case WM_MBUTTONDOWN: return RaiseMouseEvent(ControlEvents::kMiddleButtonDown, msg);
    case WM_MBUTTONUP: return RaiseMouseEvent(ControlEvents::kMiddleButtonUp, msg);
    case WM_MOUSEMOVE: return RaiseMouseEvent(ControlEvents::kMouseMove, msg);
    case WM_MOUSEWHEEL: {
      if (!IsEventBound(controlEvents_[ControlEvents::kWheel.slot])) return 0;
      const int32_t notches = static_cast<int16_t>(HIWORD(msg.wParam)) / WHEEL_DELTA;
      return RaiseEvent(ControlEvents::kWheel, notches, MouseModifierFlags(LOWORD(msg.wParam))) != 0 ? 1 : 0;
    }
    case WM_DROPFILES: RaiseFilesDropped(reinterpret_cast<HDROP>(msg.wParam)); return 0;
    default: return 0;
  }
}

// The modifier flags read key states from the window system (a round trip to the server under
// Wine, dearer than the whole rest of the message): not for an event that nobody receives.
int32_t CVolWinControl::RaiseMouseEvent(ControlEvents::MouseEvent event, const MSG& msg) {
  if (!IsEventBound(controlEvents_[event.slot])) return 0;
  const int32_t x = static_cast<int16_t>(LOWORD(msg.lParam));
  const int32_t y = static_cast<int16_t>(HIWORD(msg.lParam));
  return RaiseEvent(event, x, y, MouseModifierFlags(msg.wParam)) != 0 ? 1 : 0;
}

int32_t CVolWinControl::RaiseKeyEvent(VolEvent<ControlEventGroup, int32_t, int32_t> event, const MSG& msg) {
  if (!IsEventBound(controlEvents_[event.slot])) return 0;
  const int32_t code = NormalizeKeyCode(msg.wParam);
  return RaiseEvent(event, code & static_cast<int32_t>(0xFFFF1FFF), code & kModifierMask) != 0 ? 1 : 0;
}

int32_t CVolWinControl::RaiseFilesDropped(HDROP drop) {
  CMStringArray paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::wstring path;
  for (UINT i = 0; i < count; ++i) {
    // Asked for its length first, so that no path is cut, however long.
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    path.assign(static_cast<size_t>(length) + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, &path[0], length + 1);
    paths.Add(copied > 0 ? path.c_str() : nullptr);
  }
  DragFinish(drop);
  if (paths.GetCount() == 0) return 0;
  return RaiseEvent(ControlEvents::kFilesDropped, paths);
}

void CVolWinControl::AttachListener() {}

void CVolWinControl::DetachListener() {}

int32_t CVolWinControl::HasListener() { return 0; }

CWString CVolWinControl::GetControlText() const {
  const HWND window = Handle();
  if (window == nullptr) return Wrapper() != nullptr ? Wrapper()->text : CWString();
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return CWString();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, &text[0], length + 1);
  return CWString(text.c_str(), copied);
}

void CVolWinControl::SetControlText(const wchar_t* text) {
  const HWND window = Handle();
  if (window == nullptr) {
    if (Wrapper() != nullptr) Wrapper()->text = CWString(text);
    return;
  }
  SetWindowTextW(window, text != nullptr ? text : L"");
  if (!IsKindOf(CVolWindowBase::ClassInfo())) InvalidateRect(window, nullptr, TRUE);
}
