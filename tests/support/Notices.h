// The notice a second copy shows, as the test sees it from outside: a "#32770" box of a given process.
#pragma once

#include <windows.h>

#include <string>

struct NoticeText {
  std::wstring caption;
  std::wstring text;  // the static control 0xFFFF, trailing spaces kept
};

// The first visible message box of process processId; null when it has none.
HWND FindNotice(DWORD processId);
// FindNotice, waiting up to timeoutMs for the box to appear and become visible.
HWND WaitForNotice(DWORD processId, DWORD timeoutMs);
NoticeText ReadNotice(HWND box);
// Presses the box's OK button.
void ConfirmNotice(HWND box);
