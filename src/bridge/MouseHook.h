// The global low-level mouse hook: every mouse event of the desktop is translated into a
// (button, action) pair for the one registered handler and always passed on unchanged.
#pragma once

#include <windows.h>

#include <cstdint>

// reserved is always 0.
using ButtonHandler = void (*)(int button, int action, std::intptr_t reserved);

// Kept only to be handed to CallNextHookEx.
extern HHOOK g_mouseHook;
// The handler's address as a signed number; called only while greater than zero.
extern std::int64_t g_buttonHandler;

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

// Installs MouseHookProc for all threads of the desktop, then registers OnMouseButton. The hook is
// never removed; it ends with the process. Needs g_user32Imports filled.
void InstallMouseHook();
