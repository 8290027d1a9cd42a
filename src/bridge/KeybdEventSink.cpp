#include "bridge/KeybdEventSink.h"

#include "settings/DynamicImportTable.h"

void KeybdEventSink::SendKeyEvent(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) {
  User32ImportAddress<KeybdEventFunction>(kUser32KeybdEvent)(virtualKey, scanCode, flags, extraInfo);
}
