// The global low-level mouse hook. It only notes a middle-button press, by one posted message to the
// window that decides and sends, and passes every event on unchanged: nothing that can wait runs
// inside it, because the whole desktop's input waits for it and the system drops a hook that is too
// slow.
#pragma once

#include <windows.h>

// The installed hook; null while there is none.
extern HHOOK g_mouseHook;

// Where the hook notes its presses. With no window the hook only chains.
struct HookPressTarget {
  HWND window;   // told of every middle-button press
  UINT message;  // posted with wParam 1 for a press a program made (else 0), lParam its tick (GetTickCount)
};
void SetHookPressTarget(const HookPressTarget& target);
void ClearHookPressTarget();

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

// Installs MouseHookProc for all threads of the desktop, first removing a hook installed before (which
// may already be gone). True when the system gave a hook. Needs g_user32Imports filled.
bool InstallMouseHook();
// Removes the hook, if any.
void RemoveMouseHook();
