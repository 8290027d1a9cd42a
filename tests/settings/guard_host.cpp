// Test host for the single-instance guard: optionally shows a plain top-level window, as the
// program shows its form before the guard runs, then runs the guard and lives on as the running copy.
//   guard_host.exe <window> <event name> [go event [inside]]
//     window:     none | shown | minimised | hidden (created, never shown)
//     event name: the name to pass; "null" passes a null object
//     go event:   the name of an event the test signals; the host waits for it before the guard, or
//                 with "inside" within the guard, right before it creates its event
// Prints "window <handle in hex>" when it made a window, "waiting" when it waits for the go, and
// "guard passed" once the guard has returned, each line flushed at once. Ends by itself after a minute at the latest.
#include "runtime/WString.h"
#include "settings/ProcessTools.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr wchar_t kWindowClass[] = L"GuardHostWindow";
constexpr UINT kLifetimeMs = 60000;

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* mode) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, kWindowClass, L"guard host", WS_OVERLAPPEDWINDOW, 100, 100, 320, 200, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return nullptr;
  if (std::wcscmp(mode, L"shown") == 0) ShowWindow(window, SW_SHOWNORMAL);
  if (std::wcscmp(mode, L"minimised") == 0) ShowWindow(window, SW_SHOWMINIMIZED);
  UpdateWindow(window);
  return window;
}

// Waits for the test's go, serving the window meanwhile.
void WaitForGo(const wchar_t* name) {
  HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, name);
  if (go == nullptr) return;
  while (MsgWaitForMultipleObjects(1, &go, FALSE, kLifetimeMs, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  CloseHandle(go);
}

void PrintLine(const char* format, unsigned long long value = 0) {
  std::printf(format, value);
  std::fflush(stdout);
}

const wchar_t* g_goEvent = nullptr;

void WaitForGoInside() {
  PrintLine("waiting inside\n");
  WaitForGo(g_goEvent);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: guard_host <none|shown|minimised|hidden> <event name|null>\n");
    return 2;
  }
  const wchar_t* mode = argv[1];
  if (std::wcscmp(mode, L"none") != 0) {
    HWND window = MakeWindow(mode);
    if (window == nullptr) {
      std::fprintf(stderr, "guard_host: no window (%lu)\n", GetLastError());
      return 3;
    }
    PrintLine("window 0x%llX\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  }

  if (argc > 3) {
    g_goEvent = argv[3];
    if (argc > 4 && std::wcscmp(argv[4], L"inside") == 0) {
      CProcessTools::SetBeforeEventCreation(WaitForGoInside);
    } else {
      PrintLine("waiting\n");
      WaitForGo(g_goEvent);
    }
  }

  CWString name(argv[2]);
  if (std::wcscmp(argv[2], L"null") == 0) {
    name.Clear();
    name.SetNullObject(true);
  }
  CProcessTools::EnsureSingleInstance(name, CWString(L"对不起, 该进程已打开! "));
  PrintLine("guard passed\n");

  SetTimer(nullptr, 0, kLifetimeMs, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
    DispatchMessageW(&msg);
  }
  return 0;
}
