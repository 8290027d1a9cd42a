// Test host: starts the bridge's input core (hook, raw-input watch, stored key), exactly as the program
// does, and serves it until it is ended or its time runs out.
//   hook_host.exe [ctrl flag (default 0)] [lifetime in seconds (default 120)]
// Prints "hook installed" once the hook is in place.
#include "bridge/InputCore.h"
#include "bridge/KeystrokeInjection.h"
#include "bridge/MouseHook.h"
#include "runtime/VolException.h"
#include "settings/DynamicImports.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const int ctrlCombo = argc > 1 ? std::atoi(argv[1]) : 0;
  const int lifetimeSeconds = argc > 2 ? std::atoi(argv[2]) : 120;

  try {
    LoadDynamicImports();
  } catch (const CVolException& failure) {
    std::fwprintf(stderr, L"hook_host: %ls\n", failure.GetDescription().GetText());
    return 1;
  }
  g_ctrlCombo = ctrlCombo;
  InputCore core;
  if (!core.Start() || g_mouseHook == nullptr) {
    std::fprintf(stderr, "hook_host: SetWindowsHookExW failed (%lu)\n", GetLastError());
    return 1;
  }
  std::printf("hook installed, ctrl %d\n", static_cast<int>(g_ctrlCombo));
  std::fflush(stdout);

  // The system calls the hook on this thread while it retrieves messages.
  SetTimer(nullptr, 0, static_cast<UINT>(lifetimeSeconds) * 1000u, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
    DispatchMessageW(&msg);
  }
  return 0;
}
