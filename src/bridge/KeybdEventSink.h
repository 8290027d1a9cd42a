// Key events sent through the keybd_event address of g_user32Imports.
#pragma once

#include "bridge/KeyEventSink.h"

class KeybdEventSink final : public KeyEventSink {
 public:
  void SendKeyEvent(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) override;
};
