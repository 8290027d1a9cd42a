#include "bridge/KeyStroke.h"

#include "bridge/KeystrokeInjection.h"

namespace {

// Keys whose scan code always comes with the E0 prefix; without the flag the target would read the
// keypad key that shares the code (Left as keypad 4, Delete as keypad point).
bool AlwaysExtended(BYTE virtualKey) {
  switch (virtualKey) {
    case VK_CANCEL:  // Break
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_SNAPSHOT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_RCONTROL:
    case VK_RMENU:
      return true;
    default:
      return false;
  }
}

INPUT KeyEvent(BYTE virtualKey, ScanCode scan, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scan.code;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (scan.extended ? KEYEVENTF_EXTENDEDKEY : 0u);
  return input;
}

}  // namespace

ScanCode ScanCodeOf(BYTE virtualKey) {
  // The code from the plain mapping: for Pause the prefixed answer (E1 1D) names Ctrl's code, while
  // the key's own messages carry 0x45.
  const UINT code = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF;
  const bool prefixed = (MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC_EX) & 0xFF00) == 0xE000;
  return ScanCode{static_cast<WORD>(code), prefixed || AlwaysExtended(virtualKey)};
}

KeyStroke BuildKeyStroke(std::int32_t code, bool withCtrl) {
  KeyStroke stroke{};
  if (!IsUsableVirtualKey(code)) return stroke;
  const auto key = static_cast<BYTE>(code);
  const ScanCode keyScan = ScanCodeOf(key);
  if (withCtrl) {
    const ScanCode ctrlScan = ScanCodeOf(VK_CONTROL);
    stroke.events[0] = KeyEvent(VK_CONTROL, ctrlScan, false);
    stroke.events[1] = KeyEvent(key, keyScan, false);
    stroke.events[2] = KeyEvent(VK_CONTROL, ctrlScan, true);
    stroke.events[3] = KeyEvent(key, keyScan, true);
    stroke.count = 4;
    stroke.releaseStart = 2;
  } else {
    stroke.events[0] = KeyEvent(key, keyScan, false);
    stroke.events[1] = KeyEvent(key, keyScan, true);
    stroke.count = 2;
    stroke.releaseStart = 1;
  }
  return stroke;
}
