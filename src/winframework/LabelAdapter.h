// The platform adapter of labels: the system's STATIC control, subclassed. The parent's
// WM_CTLCOLORSTATIC comes back to it as its colours, so a label shows the same face as the check
// boxes beside it.
#pragma once

#include "platform/PlatformControls.h"
#include "winframework/EventListeners.h"
#include "winframework/ListenerForwarding.h"
#include "winframework/OwnedHandles.h"

#include <windows.h>

#include <cstdint>

class CVWnd_Label : public PlatformStatic {
 public:
  CVWnd_Label();

  IBaseEventListener* Listener() const { return listener_; }
  void SetListener(IBaseEventListener* listener) { listener_ = listener; }

  COLORREF textColor = 0;
  uint32_t backColor = kSystemFaceColor;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  IBaseEventListener* listener_ = nullptr;
  GdiObject<HBRUSH> brush_;  // the system face colour
};
