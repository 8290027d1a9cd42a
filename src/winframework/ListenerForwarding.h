// The first step of every adapter's window procedure: the framework object sees the message before
// the adapter's own handling and the default processing.
#pragma once

#include "platform/PlatformWindow.h"
#include "winframework/EventListeners.h"

#include <windows.h>

#include <cstdint>

// The background colour that stands for the system's face colour.
inline constexpr uint32_t kSystemFaceColor = 0xFF000000;

// Hands the message to listener as a MSG record of window (time and point 0); true when the object
// consumed it. wParam and lParam come back from the record, where a handler may have changed them.
bool HandToListener(IBaseEventListener* listener, HWND window, UINT message, WPARAM& wParam, LPARAM& lParam);

// The adapter's step: true when the adapter must answer 0 without further processing, because the
// object consumed the message or the adapter's window was destroyed or rebound meanwhile. Nothing
// happens while no listener is set.
bool ForwardToListener(IBaseEventListener* listener, const PlatformWindow& adapter, UINT message, WPARAM& wParam,
                       LPARAM& lParam);
