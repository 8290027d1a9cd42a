#include "winframework/ButtonAdapter.h"

LRESULT ApplyControlColors(HDC dc, COLORREF textColor, uint32_t backColor, HBRUSH brush) {
  SetTextColor(dc, textColor);
  SetBkColor(dc, backColor == kSystemFaceColor ? GetSysColor(COLOR_BTNFACE) : backColor);
  return reinterpret_cast<LRESULT>(brush);
}

CVWnd_Button::CVWnd_Button() : brush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {}

LRESULT CVWnd_Button::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ForwardToListener(listener_, *this, message, wParam, lParam)) return 0;
  return PlatformButton::WindowProc(message, wParam, lParam);
}

bool CVWnd_Button::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_ERASEBKGND) return PlatformButton::OnMessage(message, wParam, lParam, result);
  // Check boxes and other non-push buttons show the face colour behind their text.
  if ((GetWindowLongPtrW(Handle(), GWL_STYLE) & 7) != BS_PUSHBUTTON && brush_) {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.Get());
  }
  result = Default();
  return true;
}

bool CVWnd_Button::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_COMMAND) {
    if (HIWORD(wParam) != BN_CLICKED) return false;
    if (listener_ != nullptr) listener_->OnClick();
    return true;
  }
  result = ApplyControlColors(reinterpret_cast<HDC>(wParam), textColor, backColor, brush_.Get());
  return true;
}
