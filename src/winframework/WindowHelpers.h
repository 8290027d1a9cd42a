// Small window operations the application uses on windows it does not own (another copy's form)
// and the message box a form shows.
#pragma once

#include "runtime/WString.h"

#include <windows.h>

class CVolWinControl;

// A message box owned by owner's window (no owner without one), with text and caption (empty when
// null) and type; the window that had the keyboard focus gets it back afterwards when it still exists.
// Answers the box's result (IDOK, IDCANCEL, ...).
int ShowMessageBox(const CVolWinControl* owner, const wchar_t* text, UINT type, const wchar_t* caption);

// The window's text; empty when it has none.
CWString WindowTextOf(HWND window);
// Restores a minimised window (OpenIcon).
bool RestoreFromMinimised(HWND window);
// Topmost, without moving, sizing or activating it.
bool MakeTopmost(HWND window);
// Not topmost any more, and shown, without moving or sizing it.
bool LeaveTopmostAndShow(HWND window);
bool IsMinimised(HWND window);
bool IsShown(HWND window);
// The next top-level window after after (null: from the first) whose class and title match; an empty
// class name or title matches any.
HWND FindNextTopLevelWindow(HWND after, const CWString& className, const CWString& title);
