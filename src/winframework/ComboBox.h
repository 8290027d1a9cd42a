// The combo box: an editable drop-down list whose text and items the form reads and sets, with
// the selection, edit, drop-down, close-up and double-click events.
#pragma once

#include "winframework/ComboAdapter.h"
#include "winframework/EventListeners.h"
#include "winframework/WinControl.h"

struct ComboEventGroup {};
namespace ComboEvents {
// The selection was confirmed; the edit text shows it already.
inline constexpr VolEvent<ComboEventGroup> kSelectionConfirmed{0};
// The user changed the edit text (not raised while the framework sets it).
inline constexpr VolEvent<ComboEventGroup> kEditChanged{1};
inline constexpr VolEvent<ComboEventGroup> kDropDown{2};
inline constexpr VolEvent<ComboEventGroup> kCloseUp{3};
inline constexpr VolEvent<ComboEventGroup> kDoubleClick{4};
inline constexpr int kCount = 5;
}  // namespace ComboEvents

// WS_TABSTOP | CBS_DROPDOWN on top of the default style.
class CVolComboBox : public CVolWinControl, public IComboEventListener {
 public:
  CVolComboBox();
  ~CVolComboBox() override;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolComboBox* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  int32_t Create(CVolWinCreateInfo& info) override;
  void AttachListener() override;
  void DetachListener() override;
  int32_t HasListener() override;

  // The edit text, set without an edit-change event.
  void SetControlText(const wchar_t* text) override;

  // Inserts text (empty for null) at index (-1 appends) with item data 0; the item's index, or -1
  // without a window or when the list refuses.
  int32_t InsertItem(int32_t index, const wchar_t* text);

  bool OnWindowMessage(MSG& msg) override;
  void OnSelChange() override;
  void OnEditChange() override;
  void OnDropDown() override;
  void OnCloseUp() override;
  void OnDoubleClick() override;

  CVWnd_ComboBox* ComboAdapter() const { return static_cast<CVWnd_ComboBox*>(Adapter()); }

  using CVolWinControl::BindEvent;
  using CVolWinControl::RaiseEvent;
  template <typename... Args>
  void BindEvent(VolEvent<ComboEventGroup, Args...> event, CVolEventObjectPointer* eventObject,
                 typename EventNoDeduce<EventFunction<Args...>>::Type handler) {
    ::BindEvent(comboEvents_, event, eventObject, handler);
  }
  template <typename... Args, typename... Given>
  int32_t RaiseEvent(VolEvent<ComboEventGroup, Args...> event, Given&&... args) {
    return ::RaiseEvent(comboEvents_, event, this, static_cast<Given&&>(args)...);
  }

 private:
  VolEventSlot comboEvents_[ComboEvents::kCount];
};
