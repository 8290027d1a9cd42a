// The real program seen and driven from outside, as its user and an onlooker would: where it and the
// helper programs are, its form and the controls on it read across the process boundary, the frame
// as the system hit-tests it, its icon in Wine's tray, and real X input (xdotool) for clicks and keys.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

inline constexpr wchar_t kProgramTitle[] = L"岚枫禾无线按钮扩展";
inline constexpr DWORD kStartTimeoutMs = 20000;

// The program's executable as the build made it, as a Windows path (Z:\... under Wine).
std::wstring ProgramPath();
// The directory of a path, with its trailing backslash.
std::wstring DirectoryOf(const std::wstring& path);
// A file in the test executable's own directory (key_target.exe, shell_host.exe).
std::wstring BesideTest(const wchar_t* fileName);

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

// True while a copy of the program (or anything else holding its single-instance event) runs.
bool AnyCopyRuns();

// True once process processId has finished its start-up and waits for input in its message loop.
bool WaitForStartUp(DWORD processId);

// The program's form: the top-level window of processId titled like the program that is not a
// message box, shown or not; null while there is none.
HWND FindForm(DWORD processId);

// True when process processId has a visible top-level window.
bool HasVisibleWindow(DWORD processId);

// Sends a message to a window of another process and answers its result; -1 when it does not answer
// within five seconds.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The text of a window of another process (WM_GETTEXT: across processes this reaches an edit field's
// own text, which GetWindowTextW does not).
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

// The icon added last to Wine's tray (the program's own, once it has added one); null when the tray
// holds none.
HWND NewestTrayIcon();

// Real input on the display through xdotool; false when xdotool failed.
// Moves the pointer to a screen point and clicks button (1 left, 2 middle, 4 and 5 the wheel up and
// down) count times.
bool ClickAt(POINT screen, int button = 1, int count = 1);
// The same at the point (x, y) of window's client area.
bool ClickAt(HWND window, int x, int y, int button = 1, int count = 1);
// A left click in the middle of window.
bool ClickCentreOf(HWND window);
bool PressKey(const wchar_t* keysym);

}  // namespace e2e
