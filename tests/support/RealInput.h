// Real X input for tests running under Wine: xdotool, a Linux program, started from the Windows
// test process (Wine runs native executables), on the display the test's windows live on.
#pragma once

#include <windows.h>

#include <string>

// Runs "xdotool arguments" and waits for it; true when it ran and succeeded. Wine starts a native
// program without a process handle to wait on, so the shell that runs it leaves its exit status in a
// file (written aside and renamed, so it is never seen half written).
inline bool RunXdotool(const std::wstring& arguments) {
  static int serial = 0;
  // Process ids repeat between Wine sessions, and the sessions of several build trees share /tmp: the
  // time of the first call makes the names of one test process its own. A file another process
  // left under the same name would otherwise pass for this call's answer before xdotool has run.
  static const long long stamp = [] {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
  }();
  const std::wstring name = L"lanfhe-xdotool-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(stamp) + L"-" + std::to_wstring(++serial);
  const std::wstring unixPath = L"/tmp/" + name;
  const std::wstring windowsPath = L"Z:\\tmp\\" + name;
  std::wstring command = L"/bin/sh -c \"/usr/bin/xdotool " + arguments + L" >/dev/null 2>&1; echo $? > " + unixPath +
                         L".part && mv " + unixPath + L".part " + unixPath + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) ==
      FALSE) {
    return false;
  }
  // No handles to close: for a native program Wine fills the record with whatever lay on its stack,
  // and closing those values closed handles of the test's own (once its job, which then ended the
  // test process and every host with it).
  for (int waited = 0; waited < 10000; waited += 10) {
    const HANDLE file = CreateFileW(windowsPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      char status[8] = {};
      DWORD read = 0;
      ReadFile(file, status, sizeof status - 1, &read, nullptr);
      CloseHandle(file);
      DeleteFileW(windowsPath.c_str());
      return read > 0 && status[0] == '0';
    }
    Sleep(10);
  }
  return false;
}

// The same with arguments in plain ASCII.
inline bool RunXdotool(const std::string& arguments) {
  return RunXdotool(std::wstring(arguments.begin(), arguments.end()));
}

// True when xdotool is where the machine's setup puts it.
inline bool XdotoolAvailable() { return GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES; }

// The screen position of a point of window's client area, for xdotool's mousemove.
inline std::wstring ScreenPositionOf(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return std::to_wstring(point.x) + L" " + std::to_wstring(point.y);
}

// Makes window the foreground window with the keyboard focus on focus (when given); true when the
// system agrees.
inline bool BringToFront(HWND window, HWND focus = nullptr) {
  SetForegroundWindow(window);
  SetActiveWindow(window);
  if (focus != nullptr) SetFocus(focus);
  return GetForegroundWindow() == window && (focus == nullptr || GetFocus() == focus);
}
