#include "bridge/RawMousePress.h"

RawMousePress MiddlePressOf(const RAWINPUT& input) {
  if (input.header.dwType != RIM_TYPEMOUSE) return RawMousePress{false, nullptr};
  const bool down = (input.data.mouse.usButtonFlags & RI_MOUSE_MIDDLE_BUTTON_DOWN) != 0;
  return RawMousePress{down, input.header.hDevice};
}

RawMousePress ReadRawMousePress(HRAWINPUT handle) {
  RAWINPUT input{};
  UINT size = sizeof input;
  // A mouse record fits; a larger one (another device kind) is not a mouse press.
  if (GetRawInputData(handle, RID_INPUT, &input, &size, sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1)) {
    return RawMousePress{false, nullptr};
  }
  return MiddlePressOf(input);
}
