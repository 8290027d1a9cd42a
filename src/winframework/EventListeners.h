// What a window adapter calls on the framework object it serves. Each window class implements one
// of these as a second base; the adapter keeps a pointer to that part (its listener). Every
// operation but OnWindowMessage raises one event of the object.
#pragma once

#include <windows.h>

#include <cstdint>

class CVolMinMaxInfo;

class IBaseEventListener {
 public:
  // 1. Every message before the default processing; true when the object consumed it. The object
  // may change msg.wParam and msg.lParam, which the adapter then passes on.
  virtual bool OnWindowMessage(MSG& msg) = 0;

 protected:
  ~IBaseEventListener() = default;
};

class IButtonEventListener : public IBaseEventListener {
 public:
  // 2. The reflected BN_CLICKED.
  virtual void OnClick() = 0;

 protected:
  ~IButtonEventListener() = default;
};

class IComboEventListener : public IBaseEventListener {
 public:
  virtual void OnSelChange() = 0;    // 2. the selection confirmed, after the edit text changed
  virtual void OnEditChange() = 0;   // 3. the user changed the edit text
  virtual void OnDropDown() = 0;     // 4.
  virtual void OnCloseUp() = 0;      // 5.
  virtual void OnDoubleClick() = 0;  // 6.

 protected:
  ~IComboEventListener() = default;
};

// Virtual bases: a form is a container too, and keeps one container part.
class IContainerEventListener : public virtual IBaseEventListener {
 public:
  virtual void OnCreated() = 0;                 // 2. after the default WM_CREATE succeeded
  virtual void OnDestroyed() = 0;               // 3. WM_DESTROY
  virtual void OnContainerNotify() = 0;         // 4. nothing in this system raises it
  virtual void OnSized() = 0;                   // 5. WM_SIZE
  virtual void OnShowChanged(bool shown) = 0;   // 6. WM_SHOWWINDOW
  virtual void OnMoved() = 0;                   // 7. WM_MOVE
  virtual int32_t OnCommand(int32_t id) = 0;    // 8. menu or accelerator command; nonzero: handled

 protected:
  ~IContainerEventListener() = default;
};

class IWinFormEventListener : public virtual IContainerEventListener {
 public:
  // 9. The form's own look at a message before the keyboard filter: 0 consumes it, 1 lets it pass.
  virtual int32_t OnPreTranslate(MSG& msg) = 0;
  // 10, 11. 1: the form may close; 0: it stays.
  virtual int32_t OnQueryClose() = 0;
  virtual int32_t OnCloseRequest() = 0;
  virtual void OnFirstActivate() = 0;           // 12.
  virtual void OnActivated() = 0;               // 13.
  virtual void OnDeactivated() = 0;             // 14.
  virtual void OnTrayNotify(int32_t kind) = 0;  // 15. a TrayNotifyCode
  // 16. The item id (0 when the menu closes or for a popup or system-menu item); the message's result.
  virtual int32_t OnMenuSelect(int32_t itemId) = 0;
  // 17. Nonzero: the values in info are copied back into the platform's record.
  virtual int32_t OnMinMaxInfo(CVolMinMaxInfo& info) = 0;
  virtual void OnDialogInit() = 0;              // 18. the modal host is ready

 protected:
  ~IWinFormEventListener() = default;
};
