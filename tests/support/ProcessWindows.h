// The windows of another process as a test finds them from outside: its top-level windows, told
// apart by their class.
#pragma once

#include <windows.h>

#include <vector>

// The top-level windows of process processId, shown or not, in the system's order (topmost first).
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
// True when window is of the class className.
bool ClassIs(HWND window, const wchar_t* className);
