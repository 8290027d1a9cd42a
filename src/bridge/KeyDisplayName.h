// A stored virtual-key code shown as the name the system's keyboard layout gives the key.
#pragma once

#include "runtime/WString.h"

#include <windows.h>

#include <cstdint>

// The two system calls the conversion makes; a test puts its own in to see what is asked.
struct KeyNameSystemCalls {
  UINT(WINAPI* mapVirtualKey)(UINT code, UINT mapType);
  int(WINAPI* getKeyNameText)(LONG lParam, LPWSTR buffer, int bufferUnits);
};

// MapVirtualKeyW and GetKeyNameTextW of user32.
const KeyNameSystemCalls& SystemKeyNameCalls();

// Units of the buffer handed to getKeyNameText.
inline constexpr int kKeyNameBufferUnits = 256;

// The scan code of code (MapVirtualKeyW, virtual key to scan code), with the extended-key marker
// 0x100 for Page Up/Down, End, Home, the arrows, Insert, Delete, keypad divide and Num Lock, shifted
// into the high word for GetKeyNameTextW. Empty text when the system has no name, and for codes
// outside 1..254, which a press never sends.
CWString KeyCodeToDisplayName(std::int32_t code, const KeyNameSystemCalls& system);
CWString KeyCodeToDisplayName(std::int32_t code);
