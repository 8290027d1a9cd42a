// The base of every window object (form, container, button, check box, combo box): a framework
// object that stands beside one platform window, keeps what the window needs before it exists in
// its window wrapper, and turns the window's messages into events raised through its slots.
#pragma once

#include "platform/PlatformControls.h"
#include "platform/PlatformWindow.h"
#include "runtime/MStringArray.h"
#include "runtime/VolRefObject.h"
#include "runtime/WString.h"
#include "winframework/EventSlot.h"
#include "winframework/WindowWrapper.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

class CVolWinCreateInfo;
class CVolWinControl;

// The control events every window object has.
struct ControlEventGroup {};
namespace ControlEvents {
// x, y (client coordinates), modifier flags; nonzero consumes the message.
using MouseEvent = VolEvent<ControlEventGroup, int32_t, int32_t, int32_t>;
inline constexpr MouseEvent kLeftButtonDown{0};
inline constexpr MouseEvent kLeftButtonUp{1};
inline constexpr MouseEvent kLeftDoubleClick{2};
inline constexpr MouseEvent kRightButtonDown{3};
inline constexpr MouseEvent kRightButtonUp{4};
inline constexpr MouseEvent kMiddleButtonDown{5};
inline constexpr MouseEvent kMiddleButtonUp{6};
inline constexpr MouseEvent kMouseMove{7};
// notches (signed), modifier flags.
inline constexpr VolEvent<ControlEventGroup, int32_t, int32_t> kWheel{8};
// key code (normalised, without modifier bits), modifier flags.
inline constexpr VolEvent<ControlEventGroup, int32_t, int32_t> kKeyDown{9};
inline constexpr VolEvent<ControlEventGroup, int32_t, int32_t> kKeyUp{10};
inline constexpr VolEvent<ControlEventGroup> kFocusGained{11};
inline constexpr VolEvent<ControlEventGroup> kFocusLost{12};
// The character (16 bits). Below 0: consumed; above 0: replaces the character; 0: passed on.
inline constexpr VolEvent<ControlEventGroup, int32_t> kCharacter{13};
// Every message before all others: window, message, wParam, lParam, the record; nonzero consumes.
inline constexpr VolEvent<ControlEventGroup, HWND, UINT, WPARAM, LPARAM, MSG*> kAnyMessage{14};
// After the window was created: the parent object and the control id; the result is ignored.
inline constexpr VolEvent<ControlEventGroup, CVolWinControl*, int32_t> kCreated{15};
// The dropped paths in drop order; the result is ignored.
inline constexpr VolEvent<ControlEventGroup, const CMStringArray&> kFilesDropped{16};
inline constexpr int kCount = 17;
}  // namespace ControlEvents

class CVolWinControl : public CVolRefObject {
 public:
  // A control with a plain window adapter.
  CVolWinControl();
  ~CVolWinControl() override;
  CVolWinControl(const CVolWinControl&) = delete;
  CVolWinControl& operator=(const CVolWinControl&) = delete;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  // Same class, null mark and tag, the same wrapper and equal dataText.
  bool IsEqual(const CVolObject& other) const override;
  CVolWinControl* CreateNew() const override;
  // A new object of the same class, then AssignFrom: it shares this object's wrapper.
  CVolWinControl* Clone() const override;
  // From an object of this class or a subclass: OnBeforeChange, then flags, tag, the wrapper (by
  // count) and dataText; the event slots stay as they are.
  bool AssignFrom(const CVolObject& source) override;
  // A default object of the same class is built, assigned to this one and destroyed.
  void Reset() override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // dataText only.
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;
  // 18. DetachListener: an object about to be overwritten stops receiving events.
  void OnBeforeChange() override;

  // 19. 1 when a window was created; only concrete classes create windows.
  virtual int32_t Create(CVolWinCreateInfo& info);
  // 20. Text, styles, WS_CHILD and font from the wrapper.
  virtual void PrepareCreateInfo(CVolWinCreateInfo& info);
  // 21. Nothing for plain controls.
  virtual void AdjustCreateInfo(CVolWinCreateInfo& info);
  // 22. Font, tab-stop and border fix-ups, then the created event.
  virtual void OnWindowCreated(PlatformWindow* window, CVolWinCreateInfo& info);
  // 23. The generic message-to-event translation; 1 makes the adapter skip the default processing.
  virtual int32_t ProcessMessage(MSG& msg);
  // 24 to 26. Concrete classes point their adapter's listener at themselves.
  virtual void AttachListener();
  virtual void DetachListener();
  virtual int32_t HasListener();

  CMfcWndObject* Wrapper() const { return static_cast<CMfcWndObject*>(GetRef()); }
  PlatformWindow* Adapter() const { return Wrapper() != nullptr ? Wrapper()->Window() : nullptr; }
  HWND Handle() const { return Wrapper() != nullptr ? Wrapper()->Handle() : nullptr; }
  bool HasWindow() const { return Handle() != nullptr; }

  // The window's text when it exists, else the stored text.
  CWString GetControlText() const;
  // The window's text (redrawn, but for window bases) when it exists, else the stored text.
  virtual void SetControlText(const wchar_t* text);

  CWString& DataText() { return dataText_; }
  const CWString& DataText() const { return dataText_; }

  template <typename... Args>
  void BindEvent(VolEvent<ControlEventGroup, Args...> event, CVolEventObjectPointer* eventObject,
                 typename EventNoDeduce<EventFunction<Args...>>::Type handler) {
    ::BindEvent(controlEvents_, event, eventObject, handler);
  }
  template <typename... Args, typename... Given>
  int32_t RaiseEvent(VolEvent<ControlEventGroup, Args...> event, Given&&... args) {
    return ::RaiseEvent(controlEvents_, event, this, static_cast<Given&&>(args)...);
  }
  VolEventSlot& ControlEventSlot(int index) { return controlEvents_[index]; }

 protected:
  // A control whose wrapper holds adapter.
  explicit CVolWinControl(PlatformWindow* adapter);
  // The creation steps a system control (button, label) shares: the record prepared and adjusted,
  // then the window of the control's class under the record's parent. True when it was created.
  bool CreateSystemWindow(PlatformSystemControl& control, CVolWinCreateInfo& info);

 private:
  int32_t RaiseMouseEvent(ControlEvents::MouseEvent event, const MSG& msg);
  int32_t RaiseKeyEvent(VolEvent<ControlEventGroup, int32_t, int32_t> event, const MSG& msg);
  int32_t RaiseFilesDropped(HDROP drop);

  CWString dataText_;
  VolEventSlot controlEvents_[ControlEvents::kCount];
};
