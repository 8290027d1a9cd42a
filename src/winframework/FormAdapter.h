// The platform adapter of forms. It keeps the form's properties (they exist before the window and
// are applied when it is created or at once when it exists) and runs the form's protocols: close and
// end-of-session questions, activation, the border and shape rules, the notification-area icon and
// its callback, the default button, and the keyboard filter in front of dispatch.
#pragma once

#include "runtime/VolRefObject.h"
#include "runtime/WString.h"
#include "winframework/ContainerAdapter.h"
#include "winframework/TrayIcon.h"

#include <windows.h>

#include <cstdint>

class CVolEnvelopeDialog;

class CVWnd_WinForm : public CVWnd_Container {
 public:
  CVWnd_WinForm();
  ~CVWnd_WinForm() override;

  IWinFormEventListener* FormListener() const { return formListener_; }
  // A container listener only: the form's own events have no receiver.
  void SetListener(IContainerEventListener* listener) override;
  void SetFormListener(IWinFormEventListener* listener);

  // Form properties (defaults as listed).
  int64_t borderStyle = 2;  // 0 to 6
  bool controlBox = true;   // system menu; the application name stands in for an empty title
  bool maxButton = false;
  bool minButton = true;
  int64_t startPosition = 0;  // 0 normal, 1 centred, 2 minimised, 3 maximised
  bool movable = true;
  HICON icon = nullptr;  // the window icon; icon resource 100 when none is set
  bool escCloses = true;
  CWString helpFile;
  int64_t helpContext = 0;
  bool dragByClient = false;
  int64_t windowShape = 0;  // 0 rectangle, 1 ellipse, 2 rounded rectangle
  bool topmost = false;
  bool keepCaptionActive = false;
  CWString className;  // empty: "VolWinForm"
  int32_t defaultButtonId = 0;
  CVolRefObject menu;  // a CVolMenu: the menu and its accelerator table

  // State.
  CVolEnvelopeDialog* host = nullptr;  // the modal host, while the form runs modal
  bool activatedOnce = false;
  bool inActivation = false;
  bool helpShown = false;
  bool enterPressed = false;  // only while the dialog-message processing runs for an Enter key

  // The notification-area icon: null icon removes it. Ignored while the form has no window. False
  // when the shell refused to add the icon (it stays registered: see AddTrayIconAgain).
  bool SetTrayIcon(HICON trayIcon, const wchar_t* tip);
  HICON TrayIconHandle() const { return trayIcon_.Icon(); }
  // The registered icon is not in the notification area: the shell refused it.
  bool TrayIconMissing() const { return trayIcon_.Missing(); }
  // Asks the shell again for the registered icon; true when it has it now.
  bool AddTrayIconAgain() { return trayIcon_.AddAgain(Handle()); }

  // Puts the caption, system-menu, frame and box bits the properties ask for on the window; nothing
  // while the form is hosted.
  void ApplyBorderRules();
  // Sets the window region of windowShape for the window's size (none for the rectangle).
  void ApplyWindowShape();
  // The window the form's visible frame is: the host when hosted, else the form window.
  HWND FrameWindow() const;
  // Gives the frame its small and big icons: icon when set, else icon resource 100 at the small and
  // big icon sizes of dpi (then held here, and icon names the big one).
  void ApplyWindowIcons(UINT dpi);
  // Takes the form's menu off window before it is destroyed: the system would destroy a window's menu
  // with it, and the menu object that owns it destroys it again.
  void DetachMenuFrom(HWND window) const;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnClose();
  LRESULT OnQueryEndSession();
  LRESULT OnDestroy();
  LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(LPARAM lParam);
  LRESULT OnActivate(WPARAM wParam);
  LRESULT OnSize();
  LRESULT OnNcActivate(WPARAM wParam);
  LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetMinMaxInfo(LPARAM lParam);
  LRESULT OnTrayNotify(LPARAM lParam);
  LRESULT OnGetDefId();
  LRESULT OnPreTranslateRequest(WPARAM wParam, LPARAM lParam);

  IWinFormEventListener* formListener_ = nullptr;
  TrayIcon trayIcon_;
  OwnedIcon defaultSmallIcon_;  // icon resource 100 at the sizes of the window's DPI
  OwnedIcon defaultBigIcon_;
};

// What a tray callback's lParam means to the form: a TrayNotifyCode, or 0 for everything else.
int32_t TrayNotifyKindOf(LPARAM mouseMessage);
// The style bits under 0x00CB0000 that the border rules want for these properties and title.
DWORD WantedBorderBits(int64_t borderStyle, bool controlBox, bool maxButton, bool minButton, const wchar_t* title);
// The corner diameter of the rounded-rectangle shape: the smaller of width / 5 and height / 5.
int RoundedCornerDiameter(int width, int height);
