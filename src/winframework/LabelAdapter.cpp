#include "winframework/LabelAdapter.h"

#include "winframework/ButtonAdapter.h"

CVWnd_Label::CVWnd_Label() : brush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {}

LRESULT CVWnd_Label::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ForwardToListener(listener_, *this, message, wParam, lParam)) return 0;
  return PlatformStatic::WindowProc(message, wParam, lParam);
}

bool CVWnd_Label::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  // A static control sends no commands without SS_NOTIFY; its colour request is the one to answer.
  if (message != WM_CTLCOLORSTATIC) return false;
  result = ApplyControlColors(reinterpret_cast<HDC>(wParam), textColor, backColor, brush_.Get());
  return true;
}
