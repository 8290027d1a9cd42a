// Which object stands behind which window. Every framework window keeps the framework mark in its
// user data, so the object pointer lives here instead. Windows are used from one thread only.
#pragma once

#include <windows.h>

class PlatformWindow;

namespace WindowMap {

// The object bound to window, or null.
PlatformWindow* Lookup(HWND window);
void Bind(HWND window, PlatformWindow* object);
void Unbind(HWND window);
// Windows bound now; 0 once every window made through the layer is gone.
int BoundCount();

// The object whose window is being created: the first message that reaches the layer's window
// procedure for an unbound window binds it (a top-level window can see WM_GETMINMAXINFO before
// WM_NCCREATE, so "whatever that message is").
void SetPending(PlatformWindow* object);
PlatformWindow* TakePending();

}  // namespace WindowMap
