#include "platform/WindowClass.h"

#include "platform/PlatformApp.h"
#include "platform/PlatformWindow.h"

bool RegisterLayerWindowClass(const wchar_t* className, UINT classStyle, HCURSOR cursor, HBRUSH background,
                              HICON icon) {
  const wchar_t* name = className != nullptr && className[0] != 0 ? className : L"VolWindow";
  const HINSTANCE instance = PlatformApp::CurrentInstanceHandle();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, name, &existing) != FALSE) return true;

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = PlatformWindow::LayerProcedure();
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
