// The window wrapper: the properties a window object has before and without its window (text,
// styles, cursor, font) and the platform window adapter that receives the window's messages.
// Counted: controls assigned from one another share one wrapper and so address the same window.
#pragma once

#include "platform/PlatformWindow.h"
#include "runtime/RefObject.h"
#include "runtime/WString.h"
#include "winframework/OwnedHandles.h"

#include <windows.h>

#include <cstdint>

class CMfcWndObject final : public CRefObject {
 public:
  // WS_VISIBLE | WS_CLIPSIBLINGS: the style every window object starts from.
  static constexpr uint32_t kDefaultStyle = 0x14000000;

  // Owns adapter (never null for the framework's classes).
  explicit CMfcWndObject(PlatformWindow* adapter);
  // Deletes the font and the adapter if still held.
  ~CMfcWndObject() override;

  static const CVolClassTag& ClassInfo();
  const CVolClassTag& GetClassInfo() const override;
  bool IsKindOf(const CVolClassTag& tag) const override;
  // The last reference is gone: the window is destroyed, and an adapter that deletes itself after
  // its window is forgotten. An adapter whose window procedure is running (a handler lets go of its
  // own object) is always made to delete itself, after that call returns.
  void OnFinalRelease() override;

  PlatformWindow* Window() const { return window_; }
  // The window handle, null while no window exists.
  HWND Handle() const { return window_ != nullptr ? window_->Handle() : nullptr; }
  // The default font made for the window at FontDpi(); the wrapper owns it from then on.
  HFONT Font() const { return font_.Get(); }
  UINT FontDpi() const { return fontDpi_; }
  void SetFont(HFONT font, UINT dpi) {
    font_.Reset(font);
    fontDpi_ = dpi;
  }

  CWString text;  // the window text while no window exists
  uint32_t style = kDefaultStyle;
  uint32_t exStyle = 0;
  HCURSOR cursor = nullptr;  // set on WM_SETCURSOR when not null
  // When set, the adapter frees itself after its window is destroyed; set by OnFinalRelease whenever
  // the adapter's window procedure is running.
  bool windowDeletesItself = false;

 private:
  GdiObject<HFONT> font_;
  UINT fontDpi_ = 0;
  PlatformWindow* window_;
};
