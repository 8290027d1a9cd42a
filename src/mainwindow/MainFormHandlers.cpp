// What the program does: start visible or in the notification area, refuse a second copy, install
// the hook and show the stored choices; follow the check box at once; save; ask before closing; come
// back from the notification area.
#include "bridge/KeyDisplayName.h"
#include "mainwindow/KeyList.h"
#include "bridge/KeyNameToCode.h"
#include "bridge/KeystrokeInjection.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/ProgramTexts.h"
#include "resources/ResourceIds.h"
#include "runtime/AppInstance.h"
#include "settings/DeviceChoice.h"
#include "settings/ExecutablePath.h"
#include "settings/AutostartChoice.h"
#include "settings/ProcessTools.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsSaving.h"
#include "settings/StoredNumber.h"
#include "winframework/DpiScaling.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/WindowHelpers.h"

#include <cwchar>
#include <optional>
#include <string>

namespace {

// The notification area shows small icons: the image of that size at the system's DPI, not a larger
// one shrunk by the shell.
HICON TrayIconImage() { return LoadIconForDpi(g_appInstance.GetInstanceHandle(), IDI_TRAY_ICON, true, SystemDpi()); }

}  // namespace

bool CBridgeMainForm::IsChecked() const {
  return ctrlCheck.HasWindow() && SendMessageW(ctrlCheck.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CBridgeMainForm::AddTrayIcon() {
  // A shell that is still starting refuses the icon; it is asked again until it takes it.
  if (HasWindow() && !FormAdapter()->SetTrayIcon(TrayIconImage(), kProgramTitle)) trayRetry_.Start(*this);
}

void CBridgeMainForm::ShowInTray() {
  if (exiting_) return;  // ended while its close question was open: no icon for a window that is gone
  AddTrayIcon();
  SetVisible(false);
}

void CBridgeMainForm::LeaveTray() {
  SetVisible(true);
  trayRetry_.Stop();
  if (HasWindow()) FormAdapter()->SetTrayIcon(nullptr, L"");
}

int32_t CBridgeMainForm::OnMainFormCreated(CVolObject*) {
  // A key saved before means a start in the notification area; the window was created hidden. A form
  // to be shown is shown before the guard, whose notice it then owns; the icon comes only after the
  // guard, so that a second copy, which ends inside the guard, never adds one (the shell would keep
  // it, dead, until the pointer passes over it).
  const bool startInTray = !RegistryReadText(kSettingsKeyPath, kKeyCodeValueName, L"").empty();
  ShowWindowAsync(Handle(), startInTray ? SW_HIDE : SW_SHOWNORMAL);
  CProcessTools::EnsureSingleInstance(CWString(CProcessTools::kInstanceEventName), CWString(kAlreadyRunningNotice));
  if (startInTray) AddTrayIcon();

  ListenForExitRequests();
  inputCore_.Start();
  ApplyStoredDeviceChoice();
  FillKeyList(keyCombo);

  shownKeyCode_ = ParseStoredNumber(RegistryReadText(kSettingsKeyPath, kKeyCodeValueName, kDefaultKeyCodeText));
  shownKeyName_ = KeyCodeToDisplayName(shownKeyCode_);
  keyCombo.SetControlText(shownKeyName_.GetText());

  const int32_t ctrl = ParseStoredNumber(RegistryReadText(kSettingsKeyPath, kCtrlComboValueName, L"17"));
  if (ctrlCheck.HasWindow()) {
    SendMessageW(ctrlCheck.Handle(), BM_SETCHECK, ctrl == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  g_ctrlCombo = IsChecked() ? 1 : 0;
  return 0;
}

int32_t CBridgeMainForm::OnCtrlCheckClick(CVolObject* sender) {
  // The check box has toggled already; the choice counts from the next press, saved or not.
  if (sender == &ctrlCheck) g_ctrlCombo = IsChecked() ? 1 : 0;
  return 0;
}

int32_t CBridgeMainForm::OnSaveClick(CVolObject* sender) {
  if (sender == &saveButton) SaveSettings();
  return 0;
}

int32_t CBridgeMainForm::OnMainFormCloseRequest(CVolObject*) {
  if (ShowMessageBox(this, kCloseQuestion, MB_OKCANCEL, kCloseQuestionCaption) == IDOK) {
    if (HasWindow()) FormAdapter()->SetTrayIcon(nullptr, L"");
    return 0;
  }
  ShowInTray();
  return 1;
}

int32_t CBridgeMainForm::OnMainFormTrayNotify(CVolObject*, int32_t kind) {
  if (kind == kTrayLeftDoubleClick) LeaveTray();
  if (kind == kTrayRightButtonUp) OpenTrayMenu();
  return 0;
}

int32_t CBridgeMainForm::ChosenKeyCode() const {
  const CWString text = keyCombo.GetControlText();
  // The box still holds what the form showed for the stored key: that key stays. The system's name
  // of a key can be empty (keys without a scan code), unknown to the parser, or read by it as another
  // key; none of that may change the key on an unchanged save.
  if (std::wcscmp(text.GetText(), shownKeyName_.GetText()) == 0) return shownKeyCode_;
  return KeyNameToCode(text);
}

void CBridgeMainForm::SaveSettings() {
  // The autostart entry names this very file, whatever it is called now and however long its path.
  std::wstring executable;
  std::optional<std::wstring> command;
  if (ReadModuleFilePath(nullptr, executable)) command = AutostartCommand(executable);
  const bool settingsStored =
      StoreSettings(ChosenKeyCode(), IsChecked(), command, *settingsWriter_, ReadAutostartChoice());
  // With the box ticked the chosen device is kept (none yet while a learning waits: every device).
  const bool deviceStored =
      StoreDeviceChoice(IsDeviceChecked() ? inputCore_.ChosenDevice() : std::wstring(), *settingsWriter_);
  const bool stored = settingsStored && deviceStored;
  if (stored) {
    ShowMessageBox(this, kSavedMessage, MB_OK, kSaveCaption);
  } else {
    ShowMessageBox(this, kSaveFailedMessage, MB_ICONERROR, kSaveCaption);
  }
}
