// The platform adapter of containers and the base of the form adapter: forwards every message to
// the container object first, then turns creation, destruction, moves, sizes, visibility and
// commands into container events, paints the background and passes the focus on to a child.
#pragma once

#include "platform/PlatformWindow.h"
#include "winframework/EventListeners.h"
#include "winframework/ListenerForwarding.h"
#include "winframework/OwnedHandles.h"

#include <windows.h>

#include <cstdint>

class CVWnd_Container : public PlatformWindow {
 public:
  CVWnd_Container() = default;
  ~CVWnd_Container() override;

  IContainerEventListener* Listener() const { return listener_; }
  virtual void SetListener(IContainerEventListener* listener) { listener_ = listener; }

  // Relays mouse messages (other than double clicks) to the tooltip when it has tools.
  void RelayToTooltip(const MSG& msg) const;
  // The container's answer to WM_VOL_PRETRANSLATE: the tooltip relay; never consumed.
  LRESULT AnswerPreTranslate(WPARAM wParam, LPARAM lParam);

  COLORREF textColor = 0;
  uint32_t backColor = kSystemFaceColor;
  int32_t pictureMode = 0;        // how the picture is drawn; only 0 (at the origin) exists
  GdiObject<HBITMAP> picture;     // drawn over the background when set
  HWND tooltip = nullptr;         // owned; destroyed with the window

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // lParam 0 (menu or accelerator): the container's command event; else the control's reflection.
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  void DestroyTooltip();

 private:
  void OnPaint();
  void OnSetFocus();

  IContainerEventListener* listener_ = nullptr;
};

// The window to focus in container: depth first (children in order, descending only into visible and
// enabled windows), the first that wants keys; else the first with WS_TABSTOP met on the way; else
// the first child. Null when container has no children.
HWND FirstChildForFocus(HWND container);
