#include "winframework/ContainerAdapter.h"

#include "winframework/FrameworkMessages.h"

#include <commctrl.h>

namespace {

constexpr LRESULT kWantsKeys = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;

bool IsVisibleAndEnabled(HWND window) { return IsWindowVisible(window) != FALSE && IsWindowEnabled(window) != FALSE; }

// Depth first under parent; stops at the first window that wants keys.
HWND FindWantingKeys(HWND parent, HWND& firstTabStop) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((SendMessageW(child, WM_GETDLGCODE, 0, 0) & kWantsKeys) != 0) return child;
    if (firstTabStop == nullptr && (GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) != 0) firstTabStop = child;
    if (IsVisibleAndEnabled(child)) {
      const HWND found = FindWantingKeys(child, firstTabStop);
      if (found != nullptr) return found;
    }
  }
  return nullptr;
}

bool IsMouseMessageForTooltip(UINT message) {
  return message >= WM_MOUSEFIRST && message <= WM_MBUTTONUP && message != WM_LBUTTONDBLCLK &&
         message != WM_RBUTTONDBLCLK;
}

}  // namespace

HWND FirstChildForFocus(HWND container) {
  HWND firstTabStop = nullptr;
  const HWND wanting = FindWantingKeys(container, firstTabStop);
  if (wanting != nullptr) return wanting;
  if (firstTabStop != nullptr) return firstTabStop;
  return GetWindow(container, GW_CHILD);
}

CVWnd_Container::~CVWnd_Container() { DestroyTooltip(); }

void CVWnd_Container::RelayToTooltip(const MSG& msg) const {
  if (tooltip == nullptr || !IsMouseMessageForTooltip(msg.message)) return;
  if (SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) <= 0) return;
  MSG copy = msg;
  SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

LRESULT CVWnd_Container::AnswerPreTranslate(WPARAM wParam, LPARAM lParam) {
  if (lParam != FrameworkWindowMark || wParam == 0) return 0;
  RelayToTooltip(*reinterpret_cast<const MSG*>(wParam));
  return 0;
}

void CVWnd_Container::DestroyTooltip() {
  if (tooltip != nullptr) ::DestroyWindow(tooltip);
  tooltip = nullptr;
}

LRESULT CVWnd_Container::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ForwardToListener(listener_, *this, message, wParam, lParam)) return 0;
  return PlatformWindow::WindowProc(message, wParam, lParam);
}

bool CVWnd_Container::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CREATE:
      result = Default();
      if (result != -1 && listener_ != nullptr) listener_->OnCreated();
      return true;
    case WM_DESTROY:
      if (listener_ != nullptr) listener_->OnDestroyed();
      DestroyTooltip();
      result = Default();
      return true;
    case WM_MOVE:
      result = Default();
      if (picture) {
        // The picture may be see-through: the parent redraws what lies under the window.
        RECT area{};
        GetWindowRect(Handle(), &area);
        const HWND parent = GetParent(Handle());
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        if (parent != nullptr) InvalidateRect(parent, &area, TRUE);
      }
      if (listener_ != nullptr) listener_->OnMoved();
      return true;
    case WM_SIZE:
      result = Default();
      if (listener_ != nullptr) listener_->OnSized();
      return true;
    case WM_SHOWWINDOW:
      result = Default();
      if (listener_ != nullptr) listener_->OnShowChanged(wParam != 0);
      return true;
    case WM_SETFOCUS:
      result = Default();
      OnSetFocus();
      return true;
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    case WM_GETDLGCODE:
      result = DLGC_STATIC;
      return true;
    case WM_VOL_PRETRANSLATE:
      result = AnswerPreTranslate(wParam, lParam);
      return true;
    default: return false;
  }
}

bool CVWnd_Container::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) return listener_ != nullptr && listener_->OnCommand(LOWORD(wParam)) != 0;
  return PlatformWindow::OnCommand(wParam, lParam);
}

void CVWnd_Container::OnSetFocus() {
  const HWND window = Handle();
  if (!IsVisibleAndEnabled(window)) return;
  const HWND target = FirstChildForFocus(window);
  if (target != nullptr) SetFocus(target);
}

void CVWnd_Container::OnPaint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(Handle(), &paint);
  if (dc == nullptr) return;
  if (!picture) {
    if (backColor == kSystemFaceColor) {
      FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    } else {
      GdiObject<HBRUSH> brush(CreateSolidBrush(backColor));
      FillRect(dc, &paint.rcPaint, brush.Get());
    }
  } else {
    BITMAP info{};
    GetObjectW(picture.Get(), sizeof info, &info);
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ previous = SelectObject(source, picture.Get());
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }
  EndPaint(Handle(), &paint);
}
