// Containers: windows that hold controls. CVolWinContainer adds the outer size computed from the
// designed client size; CVolWindowBase adds the container events and creates a "VolContainer" child.
#pragma once

#include "winframework/ContainerAdapter.h"
#include "winframework/DpiScaling.h"
#include "winframework/EventListeners.h"
#include "winframework/WinControl.h"

#include <cstdint>

struct ContainerEventGroup {};
namespace ContainerEvents {
inline constexpr VolEvent<ContainerEventGroup> kCreated{0};
inline constexpr VolEvent<ContainerEventGroup> kDestroyed{1};
inline constexpr VolEvent<ContainerEventGroup> kContainerNotify{2};
inline constexpr VolEvent<ContainerEventGroup> kMoved{3};
inline constexpr VolEvent<ContainerEventGroup> kSized{4};
inline constexpr VolEvent<ContainerEventGroup> kShown{5};
inline constexpr VolEvent<ContainerEventGroup> kHidden{6};
// The command id; nonzero: handled.
inline constexpr VolEvent<ContainerEventGroup, int32_t> kCommand{7};
inline constexpr int kCount = 8;
}  // namespace ContainerEvents

// The DPI a window created from info is laid out at: its parent container's, else its parent
// window's, else that of the primary monitor, where a top-level form appears.
UINT DpiForCreation(const CVolWinCreateInfo& info);

class CVolWinContainer : public CVolWinControl {
 public:
  CVolWinContainer() = default;
  ~CVolWinContainer() override = default;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolWinContainer* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // The control rules, plus WS_EX_CONTROLPARENT: Tab moves among the container's controls.
  void PrepareCreateInfo(CVolWinCreateInfo& info) override;
  // A default width or height becomes the window size of the designed client size at layoutDpi.
  void AdjustCreateInfo(CVolWinCreateInfo& info) override;

  // 27, 28. The designed client size; 0 when the class has none.
  virtual int32_t GetDefaultClientWidth();
  virtual int32_t GetDefaultClientHeight();
  // 29. A form builds and binds its controls here, before its created event.
  virtual void OnCreateChildren();

  // The window size computed by the last AdjustCreateInfo.
  int32_t outerWidth = 0;
  int32_t outerHeight = 0;
  // The DPI the window and its children are laid out at: the designed client size and the children's
  // design rectangles are in 96-dpi units and scaled to it.
  UINT layoutDpi = kDesignDpi;

 protected:
  explicit CVolWinContainer(PlatformWindow* adapter) : CVolWinControl(adapter) {}
};

class CVolWindowBase : public CVolWinContainer, public virtual IContainerEventListener {
 public:
  CVolWindowBase();
  ~CVolWindowBase() override;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolWindowBase* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // A "VolContainer" child of info's parent window.
  int32_t Create(CVolWinCreateInfo& info) override;
  // The container rules, then the listener is attached when none is.
  void PrepareCreateInfo(CVolWinCreateInfo& info) override;
  void AttachListener() override;
  void DetachListener() override;
  int32_t HasListener() override;

  // Container listener: each raises its container event.
  bool OnWindowMessage(MSG& msg) override;
  void OnCreated() override;
  void OnDestroyed() override;
  void OnContainerNotify() override;
  void OnSized() override;
  void OnShowChanged(bool shown) override;
  void OnMoved() override;
  int32_t OnCommand(int32_t id) override;

  CVWnd_Container* ContainerAdapter() const { return static_cast<CVWnd_Container*>(Adapter()); }

  using CVolWinControl::BindEvent;
  using CVolWinControl::RaiseEvent;
  template <typename... Args>
  void BindEvent(VolEvent<ContainerEventGroup, Args...> event, CVolEventObjectPointer* eventObject,
                 typename EventNoDeduce<EventFunction<Args...>>::Type handler) {
    ::BindEvent(containerEvents_, event, eventObject, handler);
  }
  template <typename... Args, typename... Given>
  int32_t RaiseEvent(VolEvent<ContainerEventGroup, Args...> event, Given&&... args) {
    return ::RaiseEvent(containerEvents_, event, this, static_cast<Given&&>(args)...);
  }

 protected:
  // adapter must be a CVWnd_Container.
  explicit CVolWindowBase(CVWnd_Container* adapter);

 private:
  VolEventSlot containerEvents_[ContainerEvents::kCount];
};
