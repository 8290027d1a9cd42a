// Buttons and check boxes: the click event, the default push button, and their default styles.
// The form reads and sets a check box's state with BM_GETCHECK / BM_SETCHECK on its window.
#pragma once

#include "winframework/ButtonAdapter.h"
#include "winframework/EventListeners.h"
#include "winframework/WinControl.h"

struct ButtonEventGroup {};
namespace ButtonEvents {
// After the click; for an automatic check box the state has toggled already.
inline constexpr VolEvent<ButtonEventGroup> kClicked{0};
inline constexpr int kCount = 1;
}  // namespace ButtonEvents

class CVolButtonBase : public CVolWinControl, public IButtonEventListener {
 public:
  CVolButtonBase();
  ~CVolButtonBase() override;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolButtonBase* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // A BUTTON child; a default push button becomes the default button of the form it is on.
  int32_t Create(CVolWinCreateInfo& info) override;
  void AttachListener() override;
  void DetachListener() override;
  int32_t HasListener() override;

  bool OnWindowMessage(MSG& msg) override;
  void OnClick() override;

  CVWnd_Button* ButtonAdapter() const { return static_cast<CVWnd_Button*>(Adapter()); }

  using CVolWinControl::BindEvent;
  using CVolWinControl::RaiseEvent;
  template <typename... Args>
  void BindEvent(VolEvent<ButtonEventGroup, Args...> event, CVolEventObjectPointer* eventObject,
                 typename EventNoDeduce<EventFunction<Args...>>::Type handler) {
    ::BindEvent(buttonEvents_, event, eventObject, handler);
  }
  template <typename... Args, typename... Given>
  int32_t RaiseEvent(VolEvent<ButtonEventGroup, Args...> event, Given&&... args) {
    return ::RaiseEvent(buttonEvents_, event, this, static_cast<Given&&>(args)...);
  }

 private:
  VolEventSlot buttonEvents_[ButtonEvents::kCount];
};

// An automatic check box: WS_TABSTOP | BS_MULTILINE | BS_AUTOCHECKBOX on top of the default style.
class CVolCheckBox : public CVolButtonBase {
 public:
  CVolCheckBox();

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolCheckBox* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;
};

// A push button: WS_TABSTOP | BS_MULTILINE | BS_PUSHBUTTON on top of the default style.
class CVolPushButton : public CVolButtonBase {
 public:
  CVolPushButton();

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolPushButton* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;
};
