// The real program seen and driven from outside, as its user and an onlooker would: where it and the
// helper programs are, its form and the controls on it read across the process boundary, the frame
// as the system hit-tests it, Wine's tray icons, and real X input (xdotool) for clicks and keys.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

inline constexpr wchar_t kProgramTitle[] = L"岚枫禾无线按钮扩展";
inline constexpr DWORD kStartTimeoutMs = 20000;

// The program's executable, as the build made it.
std::wstring ProgramPath();
// A file in the test executable's own directory (key_target.exe, shell_host.exe).
std::wstring BesideTest(const wchar_t* fileName);

// Polls done() every 10 ms for up to timeoutMs; answers done().
template <typename Done>
bool WaitUntil(Done done, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

// True while a copy of the program (or anything else holding its single-instance event) runs.
bool AnyCopyRuns();

// True once process processId has finished its start-up and waits for input in its message loop.
bool WaitForStartUp(DWORD processId);

// The program's form: the top-level window of processId titled like the program, shown or not;
// null while there is none.
HWND FindForm(DWORD processId);

// True when process processId has a visible top-level window.
bool HasVisibleWindow(DWORD processId);

// Sends a message to a window of another process and answers its result; -1 when it does not answer
// within five seconds.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The text of a window of another process (WM_GETTEXT: an edit field's own text too).
std::wstring TextOf(HWND window);
// The entries of a combo box's list, in order.
std::vector<std::wstring> ComboItems(HWND combo);
// A child window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND child);
// The system's own name of a virtual key (the name the program shows for a stored code).
std::wstring SystemKeyName(UINT virtualKey);

// What the system answers to WM_NCHITTEST along the middle line of a window's caption, one entry
// per pixel from the left edge of the window to its right edge.
struct CaptionHit {
  POINT at;  // screen coordinates
  LRESULT code;
};
std::vector<CaptionHit> CaptionHits(HWND window);
// The middle of the points that hit code; false when none does.
bool FindHit(const std::vector<CaptionHit>& hits, LRESULT code, POINT& middle);

// Wine's own notification area (there is no tray on the display): one child window of class
// "__winex11_tray_icon" per icon in explorer's "__winex11_standalone_tray" window, left to right in
// the order the icons were added.
std::vector<HWND> TrayIcons();
POINT CentreOf(HWND window);

// Real input on the display through xdotool; false when xdotool failed.
bool ClickAt(POINT screen, int button = 1);
bool DoubleClickAt(POINT screen);
bool ClickCentreOf(HWND window, int button = 1);
bool PressKey(const wchar_t* keysym);

}  // namespace e2e
