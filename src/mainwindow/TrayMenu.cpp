#include "mainwindow/TrayMenu.h"

#include <memory>
#include <type_traits>

namespace {

enum : UINT { kShowFormId = 1, kAutostartId = 2, kExitId = 3 };

struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

}  // namespace

TrayMenuChoice ShowTrayMenu(HWND owner, bool autostartOn) {
  const OwnedMenu menu(CreatePopupMenu());
  if (!menu) return TrayMenuChoice::kNone;
  AppendMenuW(menu.get(), MF_STRING, kShowFormId, kTrayMenuShowForm);
  AppendMenuW(menu.get(), MF_STRING | (autostartOn ? MF_CHECKED : MF_UNCHECKED), kAutostartId, kTrayMenuAutostart);
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.get(), MF_STRING, kExitId, kTrayMenuExit);
  SetMenuDefaultItem(menu.get(), kShowFormId, FALSE);

  POINT at{};
  GetCursorPos(&at);
  // Without the owner in the foreground the menu would not close when the user clicks elsewhere;
  // the posted null message lets a second right click open it again at once.
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);

  switch (chosen) {
    case kShowFormId: return TrayMenuChoice::kShowForm;
    case kAutostartId: return TrayMenuChoice::kSwitchAutostart;
    case kExitId: return TrayMenuChoice::kExit;
    default: return TrayMenuChoice::kNone;
  }
}
