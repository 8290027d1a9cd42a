// Sending the key stroke of one press: the Ctrl choice, which codes name a key, where the events go,
// and the one SendInput call per press with its clean-up when the system took fewer events.
#pragma once

#include "bridge/KeyStroke.h"

#include <windows.h>

#include <cstdint>

// 1: the key goes with Ctrl; any other value: alone. Kept up to date by the main form's check box.
extern std::int32_t g_ctrlCombo;

// A code that names a real key: 1 to 254. Anything else (0 for "no key" or text without digits,
// negative or larger codes) would press a key nobody chose, so it sends nothing.
constexpr bool IsUsableVirtualKey(std::int32_t code) { return code >= 1 && code <= 254; }

// Where synthesized key events go; a test puts in one that records or refuses.
class KeyInjector {
 public:
  virtual ~KeyInjector() = default;
  // Inserts count events in one go and answers how many went in (SendInput's contract).
  virtual UINT Inject(const INPUT* events, UINT count) = 0;
};

// SendInput, reached through the function table.
class SystemKeyInjector final : public KeyInjector {
 public:
  UINT Inject(const INPUT* events, UINT count) override;
};

struct InjectionResult {
  UINT inserted;      // events the one call took
  bool releasedAgain; // fewer went in: the key-up events were sent once more
};

// All events of stroke in one call, so nothing the user types can come between them. When the system
// takes fewer (a window of higher integrity has the focus), the key-ups go once more, so that neither
// Ctrl nor the key is left down.
InjectionResult SendKeyStroke(const KeyStroke& stroke, KeyInjector& injector);
