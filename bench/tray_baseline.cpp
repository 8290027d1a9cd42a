// The yardstick of the program's footprint: the least a program of its shape can be. One top-level
// window with the program's frame and client size, a global low-level mouse hook that only chains,
// a message loop; hidden with one notification-area icon, as the program runs after a key is saved,
// or shown without an icon ("shown"), as at its first start. Linked as the program is (static, GUI
// subsystem, stripped, the project's flags).
//   tray_baseline.exe [shown]
// Ends when its window is closed.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;
HHOOK g_chainHook = nullptr;

LRESULT CALLBACK ChainingHook(int nCode, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(g_chainHook, nCode, wParam, lParam);
}

NOTIFYICONDATAW IconRecord(HWND window) {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof record;
  record.hWnd = window;
  record.uID = 100;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayCallback;
  record.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  lstrcpynW(record.szTip, L"tray baseline", 64);
  return record;
}

LRESULT CALLBACK BaselineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    NOTIFYICONDATAW record = IconRecord(window);
    Shell_NotifyIconW(NIM_DELETE, &record);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  const bool shown = lstrcmpiW(commandLine, L"shown") == 0;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BaselineWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"LanfheTrayBaseline";
  if (RegisterClassW(&windowClass) == 0) return 1;

  // The program's frame around its 256 x 75 client area, centred.
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  RECT frame{0, 0, 256, 75};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, windowClass.lpszClassName, L"lanfhe tray baseline", style,
                                      (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                      (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                      instance, nullptr);
  if (window == nullptr) return 1;

  g_chainHook = SetWindowsHookExW(WH_MOUSE_LL, ChainingHook, nullptr, 0);
  if (shown) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  } else {
    NOTIFYICONDATAW record = IconRecord(window);
    Shell_NotifyIconW(NIM_ADD, &record);
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
