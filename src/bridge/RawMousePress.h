// A middle-button press as raw input reports it: which device it came from.
#pragma once

#include <windows.h>

struct RawMousePress {
  bool middleDown;  // the report holds a middle-button press
  HANDLE device;    // the raw-input device handle; null for an injected press
};

// What one raw-input record says about the middle button; anything but a mouse report is no press.
RawMousePress MiddlePressOf(const RAWINPUT& input);

// Reads the record behind a WM_INPUT's lParam; no press when it cannot be read.
RawMousePress ReadRawMousePress(HRAWINPUT handle);
