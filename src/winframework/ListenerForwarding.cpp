#include "winframework/ListenerForwarding.h"

bool HandToListener(IBaseEventListener* listener, HWND window, UINT message, WPARAM& wParam, LPARAM& lParam) {
  MSG msg{window, message, wParam, lParam, 0, {0, 0}};
  const bool consumed = listener->OnWindowMessage(msg);
  wParam = msg.wParam;
  lParam = msg.lParam;
  return consumed;
}

bool ForwardToListener(IBaseEventListener* listener, const PlatformWindow& adapter, UINT message, WPARAM& wParam,
                       LPARAM& lParam) {
  const HWND window = adapter.Handle();
  if (listener == nullptr || window == nullptr) return false;
  const bool consumed = HandToListener(listener, window, message, wParam, lParam);
  return consumed || !IsWindow(window) || PlatformWindow::FromHandle(window) != &adapter;
}
