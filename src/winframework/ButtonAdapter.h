// The platform adapter of buttons and check boxes: the system's BUTTON control, subclassed. The
// parent's BN_CLICKED comes back to it as the click event, the parent's WM_CTLCOLOR* as its colours.
#pragma once

#include "platform/PlatformControls.h"
#include "winframework/EventListeners.h"
#include "winframework/ListenerForwarding.h"
#include "winframework/OwnedHandles.h"

#include <windows.h>

#include <cstdint>

class CVWnd_Button : public PlatformButton {
 public:
  CVWnd_Button();

  IButtonEventListener* Listener() const { return listener_; }
  void SetListener(IButtonEventListener* listener) { listener_ = listener; }

  COLORREF textColor = 0;
  uint32_t backColor = kSystemFaceColor;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  IButtonEventListener* listener_ = nullptr;
  GdiObject<HBRUSH> brush_;  // the system face colour
};

// The colours of a reflected WM_CTLCOLOR*: text colour, background colour (the face colour for the
// default) and the adapter's brush, answered as the message result.
LRESULT ApplyControlColors(HDC dc, COLORREF textColor, uint32_t backColor, HBRUSH brush);
