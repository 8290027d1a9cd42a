// Bases for the system's button, combo-box and static (label) controls: created with their own window class and
// subclassed at once, so their messages pass through the layer and Default reaches the control.
#pragma once

#include "platform/PlatformWindow.h"

class PlatformSystemControl : public PlatformWindow {
 public:
  bool Create(DWORD exStyle, const wchar_t* text, DWORD style, int x, int y, int width, int height, HWND parent,
              int id) {
    return CreateSubclassedEx(exStyle, className_, text, style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  }

 protected:
  explicit PlatformSystemControl(const wchar_t* className) : className_(className) {}

 private:
  const wchar_t* className_;
};

class PlatformButton : public PlatformSystemControl {
 public:
  PlatformButton() : PlatformSystemControl(L"BUTTON") {}
};

class PlatformComboBox : public PlatformSystemControl {
 public:
  PlatformComboBox() : PlatformSystemControl(L"COMBOBOX") {}
};

class PlatformStatic : public PlatformSystemControl {
 public:
  PlatformStatic() : PlatformSystemControl(L"STATIC") {}
};
