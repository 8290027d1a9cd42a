// Forms: the top-level windows of the application. A form is created from a creation record, sized
// from its designed client area, placed, and asked before it closes; it raises the form events
// through its own slots.
#pragma once

#include "winframework/FormAdapter.h"
#include "winframework/WinContainer.h"

#include <cstdint>
#include <vector>

class CVolMinMaxInfo;

struct FormEventGroup {};
namespace FormEvents {
// The command id (menu or accelerator); nonzero: handled.
inline constexpr VolEvent<FormEventGroup, int32_t> kCommand{0};
// The highlighted item id (0 when the menu closes or for popup and system-menu items); the message result.
inline constexpr VolEvent<FormEventGroup, int32_t> kMenuSelect{1};
// 0 allows closing (or ending the session), nonzero refuses.
inline constexpr VolEvent<FormEventGroup> kQueryClose{2};
inline constexpr VolEvent<FormEventGroup> kCloseRequest{3};
inline constexpr VolEvent<FormEventGroup> kFirstActivate{4};
inline constexpr VolEvent<FormEventGroup> kActivated{5};
inline constexpr VolEvent<FormEventGroup> kDeactivated{6};
// A TrayNotifyCode.
inline constexpr VolEvent<FormEventGroup, int32_t> kTrayNotify{7};
// Nonzero: the values are copied back.
inline constexpr VolEvent<FormEventGroup, CVolMinMaxInfo&> kMinMaxInfo{8};
inline constexpr VolEvent<FormEventGroup> kDialogInit{9};
inline constexpr int kCount = 10;
}  // namespace FormEvents

class CVolWinForm : public CVolWindowBase, public virtual IWinFormEventListener {
 public:
  CVolWinForm();
  ~CVolWinForm() override;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolWinForm* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // Creates the form's window: modeless, or inside a modal host when info.modal is set (then
  // info.modalResult holds the result when this returns). 1 on success.
  int32_t Create(CVolWinCreateInfo& info) override;
  // The window-base rules, then the caption, frame and box rules of the form's properties.
  void PrepareCreateInfo(CVolWinCreateInfo& info) override;
  // The container rules, then a default position: 0 for a child, else centred on the primary screen.
  void AdjustCreateInfo(CVolWinCreateInfo& info) override;
  void AttachListener() override;
  void DetachListener() override;
  int32_t HasListener() override;

  // The control rules, then WM_DPICHANGED: the form is laid out for the new DPI in the rectangle
  // the system suggests.
  int32_t ProcessMessage(MSG& msg) override;

  // Creates control from info, whose rectangle is in 96-dpi design units: scaled to the form's
  // layout DPI now and again whenever that DPI changes. The parent fields are the caller's. 1 when
  // the control's window was created.
  int32_t CreateDesignedChild(CVolWinControl& control, CVolWinCreateInfo& info);
  // Lays the form out for dpi: the window takes bounds (screen coordinates), or without them the
  // designed client size at dpi around its present centre; every designed child its rectangle at
  // dpi; the form and those children the default font of dpi; the default icons their sizes at dpi.
  void ApplyDpi(UINT dpi, const RECT* bounds);

  // 30. The form's own look at a message before its keyboard filter: 0 consumes it, 1 lets it pass.
  virtual int32_t OnPreTranslate(HWND window, UINT message, WPARAM wParam, LPARAM lParam, MSG& msg);

  // Form listener.
  int32_t OnCommand(int32_t id) override;
  int32_t OnPreTranslate(MSG& msg) override;
  int32_t OnQueryClose() override;
  int32_t OnCloseRequest() override;
  void OnFirstActivate() override;
  void OnActivated() override;
  void OnDeactivated() override;
  void OnTrayNotify(int32_t kind) override;
  int32_t OnMenuSelect(int32_t itemId) override;
  int32_t OnMinMaxInfo(CVolMinMaxInfo& info) override;
  void OnDialogInit() override;

  CVWnd_WinForm* FormAdapter() const { return static_cast<CVWnd_WinForm*>(Adapter()); }

  // The window of the form created inside the modal host or on its own: used by the host.
  int32_t CreateModelessWindow(CVolWinCreateInfo& info);

  // Property setters: stored, and applied at once when the window exists.
  void SetBorderStyle(int64_t borderStyle);
  void SetControlBox(bool controlBox);
  void SetMaxButton(bool maxButton);
  void SetMinButton(bool minButton);
  void SetWindowShape(int64_t windowShape);
  void SetTopmost(bool topmost);
  // ShowWindow with a window, else the WS_VISIBLE bit of the stored style.
  void SetVisible(bool visible);
  bool IsVisible() const;

  using CVolWindowBase::BindEvent;
  using CVolWindowBase::RaiseEvent;
  template <typename... Args>
  void BindEvent(VolEvent<FormEventGroup, Args...> event, CVolEventObjectPointer* eventObject,
                 typename EventNoDeduce<EventFunction<Args...>>::Type handler) {
    ::BindEvent(formEvents_, event, eventObject, handler);
  }
  template <typename... Args, typename... Given>
  int32_t RaiseEvent(VolEvent<FormEventGroup, Args...> event, Given&&... args) {
    return ::RaiseEvent(formEvents_, event, this, static_cast<Given&&>(args)...);
  }

 private:
  // A child created from a design rectangle, known by its window; the adapter and wrapper count only
  // while that window is still bound to that adapter.
  struct DesignedChild {
    HWND window;
    PlatformWindow* adapter;
    CMfcWndObject* wrapper;
    int32_t left, top, width, height;
  };

  int32_t RunModal(CVolWinCreateInfo& info);
  void ShowAtStartPosition(HWND window);

  VolEventSlot formEvents_[FormEvents::kCount];
  std::vector<DesignedChild> designedChildren_;
};
