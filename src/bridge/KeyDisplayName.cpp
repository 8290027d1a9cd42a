#include "bridge/KeyDisplayName.h"

#include "bridge/KeystrokeInjection.h"

namespace {

// Keys that share their scan code with a keypad key; without the marker the system would name the
// keypad key ("Left" would read as keypad 4).
bool NeedsExtendedMarker(std::int32_t code) {
  return (code >= VK_PRIOR && code <= VK_DOWN) || code == VK_INSERT || code == VK_DELETE || code == VK_DIVIDE ||
         code == VK_NUMLOCK;
}

constexpr UINT kExtendedMarker = 0x100;

}  // namespace

const KeyNameSystemCalls& SystemKeyNameCalls() {
  static const KeyNameSystemCalls calls{&MapVirtualKeyW, &GetKeyNameTextW};
  return calls;
}

CWString KeyCodeToDisplayName(std::int32_t code, const KeyNameSystemCalls& system) {
  // A stored value may hold any number; the system would cut a larger one to a real key. Only the
  // codes a press sends get a name, so the form never shows a key that the button would not send.
  if (!IsUsableVirtualKey(code)) return CWString();

  UINT scan = system.mapVirtualKey(static_cast<UINT>(code), MAPVK_VK_TO_VSC);
  if (NeedsExtendedMarker(code)) scan |= kExtendedMarker;

  // The scan code is one byte: bit 24 carries the marker, bit 25 ("left and right alike") stays clear.
  wchar_t buffer[kKeyNameBufferUnits] = {};
  system.getKeyNameText(static_cast<LONG>(scan << 16), buffer, kKeyNameBufferUnits);
  // Read no further than the buffer even if the system left it without a NUL.
  return CWString(buffer, kKeyNameBufferUnits);
}

CWString KeyCodeToDisplayName(std::int32_t code) { return KeyCodeToDisplayName(code, SystemKeyNameCalls()); }
