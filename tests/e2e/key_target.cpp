// Test target: a plain top-level window that writes the middle-button and key messages it
// receives to stdout, one line each, in order of arrival:
//   mbutton down | mbutton up | keydown VK | keyup VK | syskeydown VK | syskeyup VK
//   key_target.exe TITLE [lifetime in seconds (default 120)]
// Prints "ready" once the window is shown and active.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Report(const char* what, WPARAM virtualKey = 0) {
  if (virtualKey != 0) {
    std::printf("%s %u\n", what, static_cast<unsigned>(virtualKey));
  } else {
    std::printf("%s\n", what);
  }
  std::fflush(stdout);
}

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MBUTTONDOWN: Report("mbutton down"); return 0;
    case WM_MBUTTONUP: Report("mbutton up"); return 0;
    case WM_KEYDOWN: Report("keydown", wParam); return 0;
    case WM_KEYUP: Report("keyup", wParam); return 0;
    case WM_SYSKEYDOWN: Report("syskeydown", wParam); return 0;
    case WM_SYSKEYUP: Report("syskeyup", wParam); return 0;
    case WM_TIMER: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: key_target TITLE [seconds]\n");
    return 2;
  }
  const std::string titleBytes = argv[1];
  const std::wstring title(titleBytes.begin(), titleBytes.end());  // ASCII titles only
  const int lifetimeSeconds = argc > 2 ? std::atoi(argv[2]) : 120;

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TargetWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"LanfheKeyTarget";
  if (RegisterClassW(&windowClass) == 0) return 1;

  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 600, 400,
                                      400, 300, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetForegroundWindow(window);
  SetFocus(window);
  SetTimer(window, 1, static_cast<UINT>(lifetimeSeconds) * 1000u, nullptr);
  Report("ready");

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
