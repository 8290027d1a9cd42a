// The key events of one press, built for a single SendInput call: key down and key up, wrapped in
// Ctrl when chosen, each with its virtual key and its scan code.
#pragma once

#include <windows.h>

#include <cstdint>

// The scan code the keyboard sends for a virtual key, and whether it carries the E0 prefix.
struct ScanCode {
  WORD code;
  bool extended;
};

// The system's scan code for the key; extended when the system marks the E0 prefix
// (MAPVK_VK_TO_VSC_EX) or the key is one of those that always carry it (some systems answer without
// the prefix).
ScanCode ScanCodeOf(BYTE virtualKey);

struct KeyStroke {
  static constexpr UINT kMaxEvents = 4;
  INPUT events[kMaxEvents];
  UINT count;         // 0: nothing to send
  UINT releaseStart;  // the key-up events are events[releaseStart..count)
};

// Ctrl down, key down, Ctrl up, key up with Ctrl; key down, key up without. Ctrl is released before
// the key, as the program always did. A code that names no key (IsUsableVirtualKey) gives no events.
KeyStroke BuildKeyStroke(std::int32_t code, bool withCtrl);
