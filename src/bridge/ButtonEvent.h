// The (button, action) pair that the mouse hook hands to its handler, and the translation of a
// low-level mouse message into it.
#pragma once

#include <windows.h>

#include <cstdint>

enum ButtonCode : int {
  kButtonLeft = 1,
  kButtonRight = 2,
  kButtonMiddle = 3,
  kButtonWheel = 4,
  kButtonExtra2 = 5,  // XBUTTON2: the second extra button comes first
  kButtonExtra1 = 6,  // XBUTTON1
};

enum ActionCode : int {
  kActionDown = 1,
  kActionUp = 2,
  kActionDoubleClick = 3,
  kActionWheelForward = 4,   // one step, delta +120
  kActionWheelBackward = 5,  // one step, delta -120
};

struct ButtonEvent {
  int button;  // 0: no rule matched
  int action;
  constexpr bool matched() const { return button != 0; }
};

inline constexpr ButtonEvent kNoButtonEvent{0, 0};

constexpr bool operator==(ButtonEvent a, ButtonEvent b) { return a.button == b.button && a.action == b.action; }

// message: the mouse message (only its low 16 bits count); mouseDataHigh: the high word of
// mouseData read as a signed value. kNoButtonEvent when no rule matches (mouse movement, a wheel
// delta other than +-120, an extra button numbered neither 1 nor 2). A plain pair rather than an
// optional: this runs for every mouse event of the desktop and should stay in registers.
constexpr ButtonEvent TranslateMouseEvent(std::uint32_t message, std::int16_t mouseDataHigh) {
  // The wheel rule ignores the message, so a horizontal tilt gives the same pairs as the wheel.
  ButtonEvent event = kNoButtonEvent;
  if (mouseDataHigh == WHEEL_DELTA) event = ButtonEvent{kButtonWheel, kActionWheelForward};
  if (mouseDataHigh == -WHEEL_DELTA) event = ButtonEvent{kButtonWheel, kActionWheelBackward};

  switch (message & 0xFFFF) {
    case WM_LBUTTONDOWN: return ButtonEvent{kButtonLeft, kActionDown};
    case WM_LBUTTONUP: return ButtonEvent{kButtonLeft, kActionUp};
    case WM_LBUTTONDBLCLK: return ButtonEvent{kButtonLeft, kActionDoubleClick};
    case WM_RBUTTONDOWN: return ButtonEvent{kButtonRight, kActionDown};
    case WM_RBUTTONUP: return ButtonEvent{kButtonRight, kActionUp};
    case WM_RBUTTONDBLCLK: return ButtonEvent{kButtonRight, kActionDoubleClick};
    case WM_MBUTTONDOWN: return ButtonEvent{kButtonMiddle, kActionDown};
    case WM_MBUTTONUP: return ButtonEvent{kButtonMiddle, kActionUp};
    case WM_MBUTTONDBLCLK: return ButtonEvent{kButtonMiddle, kActionDoubleClick};
    case WM_XBUTTONDOWN:
      if (mouseDataHigh == XBUTTON2) return ButtonEvent{kButtonExtra2, kActionDown};
      if (mouseDataHigh == XBUTTON1) return ButtonEvent{kButtonExtra1, kActionDown};
      break;
    case WM_XBUTTONUP:
      if (mouseDataHigh == XBUTTON2) return ButtonEvent{kButtonExtra2, kActionUp};
      if (mouseDataHigh == XBUTTON1) return ButtonEvent{kButtonExtra1, kActionUp};
      break;
    default: break;
  }
  return event;
}
