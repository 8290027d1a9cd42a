// Bases for the system's button, combo-box and static (label) controls: created with their own window class and
// subclassed at once, so their messages pass through the layer and Default reaches the control.
#pragma once

#include "platform/PlatformWindow.h"

class PlatformButton : public PlatformWindow {
 public:
  bool Create(DWORD exStyle, const wchar_t* text, DWORD style, int x, int y, int width, int height, HWND parent,
              int id) {
    return CreateSubclassedEx(exStyle, L"BUTTON", text, style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  }
};

class PlatformComboBox : public PlatformWindow {
 public:
  bool Create(DWORD exStyle, const wchar_t* text, DWORD style, int x, int y, int width, int height, HWND parent,
              int id) {
    return CreateSubclassedEx(exStyle, L"COMBOBOX", text, style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  }
};

class PlatformStatic : public PlatformWindow {
 public:
  bool Create(DWORD exStyle, const wchar_t* text, DWORD style, int x, int y, int width, int height, HWND parent,
              int id) {
    return CreateSubclassedEx(exStyle, L"STATIC", text, style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  }
};
