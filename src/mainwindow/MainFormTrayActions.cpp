// What the main form does beyond its own window: the menu of its notification-area icon, the start
// at log-on switched from there, and ending at once (from the menu or from "/exit").
#include "mainwindow/MainForm.h"
#include "mainwindow/ProgramTexts.h"
#include "mainwindow/TrayMenu.h"
#include "settings/AutostartChoice.h"
#include "settings/ExecutablePath.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsSaving.h"
#include "winframework/WindowHelpers.h"

void CBridgeMainForm::OpenTrayMenu() {
  if (!HasWindow()) return;
  switch (ShowTrayMenu(Handle(), ReadAutostartChoice())) {
    case TrayMenuChoice::kShowForm: LeaveTray(); break;
    case TrayMenuChoice::kSwitchAutostart: SwitchAutostart(); break;
    case TrayMenuChoice::kExit: ExitNow(); break;
    case TrayMenuChoice::kNone: break;
  }
}

void CBridgeMainForm::SwitchAutostart() {
  // The entry names this very file; a path that cannot be read whole would register a wrong one.
  const bool on = !ReadAutostartChoice();
  std::wstring executable;
  const bool havePath = ReadModuleFilePath(nullptr, executable);
  const bool done = (!on || havePath) && ApplyAutostartChoice(on, AutostartCommand(executable), *settingsWriter_);
  if (!done) ShowMessageBox(this, kSaveFailedMessage, MB_ICONERROR, kSaveCaption);
}

void CBridgeMainForm::ExitNow() {
  // Asked again while the window goes (the request is repeated until the copy has ended): nothing to do.
  if (exiting_ || !HasWindow()) return;
  exiting_ = true;
  FormAdapter()->SetTrayIcon(nullptr, L"");
  // The main window's end ends the message loop with 0; the close question is never asked. Called
  // while a question or the menu is open, the window the framework still holds is gone when that
  // returns: ShowInTray then adds no icon for it.
  DestroyWindow(Handle());
}

void CBridgeMainForm::ListenForExitRequests() {
  if (exitRequests_) return;
  exitRequests_ = std::make_unique<ExitRequestListener>(
      [](void* form) { static_cast<CBridgeMainForm*>(form)->ExitNow(); }, this);
}
