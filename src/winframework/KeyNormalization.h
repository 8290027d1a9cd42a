// Key codes as the framework's key events carry them: the virtual-key code with the numeric keypad
// folded onto the main keys, 0 for keys without a name, and the modifier bits added.
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr int32_t kModifierCtrl = 0x2000;
inline constexpr int32_t kModifierAlt = 0x4000;
inline constexpr int32_t kModifierShift = 0x8000;
inline constexpr int32_t kModifierMask = 0xE000;

// The name of each virtual-key code; the empty text for the codes without one. Only whether a
// name is empty matters to the framework.
const wchar_t* VolKeyName(int code);

// The low byte of wParam: keypad digits become the digit keys, keypad minus, point and divide the
// main keys; a code without a name (and 0) gives 0; a nonzero code gets 0x2000 for Ctrl, 0x8000 for
// Shift and 0x4000 for Alt, as the keys are down now (a modifier key does not mark itself).
int32_t NormalizeKeyCode(WPARAM wParam);

// The modifier bits of a mouse message: Ctrl and Shift from its MK_ bits, Alt as it is down now.
int32_t MouseModifierFlags(WPARAM wParam);
