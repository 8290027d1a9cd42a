// The platform adapter of combo boxes: the system's COMBOBOX control, subclassed, with its edit
// child subclassed too, so that keys typed into the edit field reach the combo box's object. The
// parent's notifications come back as the combo box's events.
#pragma once

#include "platform/PlatformControls.h"
#include "winframework/EventListeners.h"
#include "winframework/ListenerForwarding.h"
#include "winframework/OwnedHandles.h"

#include <windows.h>

#include <cstdint>

class CVolWinCreateInfo;

// Window properties of the subclassed edit child: the combo adapter and the edit's own procedure.
inline constexpr const wchar_t* kComboObjectProperty = L"_VolComboBoxObject";
inline constexpr const wchar_t* kComboEditProcProperty = L"_VolComboBoxEditProc";

// A combo box other than CBS_SIMPLE is at least this high, the dropped list included.
inline constexpr int kMinimumDropDownHeight = 160;

class CVWnd_ComboBox : public PlatformComboBox {
 public:
  CVWnd_ComboBox();

  IComboEventListener* Listener() const { return listener_; }
  void SetListener(IComboEventListener* listener) { listener_ = listener; }

  // The creation steps after the framework's preparation: the minimum height, the scroll styles,
  // the edit child's subclassing, the font, the item height, an empty list, and the creation text
  // set without an edit-change event. False when the window cannot be created.
  bool CreateCombo(CVolWinCreateInfo& info);

  COLORREF textColor = 0;
  uint32_t backColor = kSystemFaceColor;
  uint16_t extraItemHeight = 1;
  bool settingText = false;  // raised while the framework sets the text

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  void SubclassEdit();
  // The combo's focus notification as the focus message of the combo box's object.
  void ForwardFocus(UINT focusMessage);

  IComboEventListener* listener_ = nullptr;
  GdiObject<HBRUSH> brush_;  // the system face colour
};
