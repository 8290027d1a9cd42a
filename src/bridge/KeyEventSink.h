// Where synthesized key events go; lets the key injection be exercised without sending real keys.
#pragma once

#include <windows.h>

class KeyEventSink {
 public:
  virtual ~KeyEventSink() = default;
  // The arguments of keybd_event.
  virtual void SendKeyEvent(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) = 0;
};
