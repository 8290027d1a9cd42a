// The real program as its end-to-end tests see it from outside: where it was built, its form and
// controls, their texts, and real clicks on them (xdotool on the shared display).
#pragma once

#include <windows.h>

#include <string>

// The built "岚枫禾无线按钮扩展.exe" as a Windows path (Z:\... under Wine).
std::wstring ProgramPath();
// The directory of a path, with its trailing backslash.
std::wstring DirectoryOf(const std::wstring& path);

// The program's form: the top-level window of process processId titled "岚枫禾无线按钮扩展" that is
// not a message box, shown or hidden; null when there is none (yet).
HWND FindProgramForm(DWORD processId);

// The text a window holds, asked with WM_GETTEXT: across processes this reaches an edit field's own
// text, which GetWindowTextW does not.
std::wstring WindowText(HWND window);

// Moves the pointer to the screen point (x, y) and clicks button (1 left, 2 middle, 5 wheel down)
// count times; true when xdotool did it.
bool ClickScreen(int x, int y, int button = 1, int count = 1);
// Moves the pointer to the point (x, y) of window's client area and clicks button (1 left, 2 middle)
// count times; true when xdotool did it.
bool ClickAt(HWND window, int x, int y, int button = 1, int count = 1);
// A left click in the middle of window.
bool ClickCentre(HWND window);

// Polls done() every 10 ms until it answers true or timeoutMs passed; answers done().
template <typename Done>
bool WaitUntil(Done done, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return done();
    Sleep(10);
  }
  return true;
}
