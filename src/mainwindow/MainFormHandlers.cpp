// What the program does: start visible or in the notification area, refuse a second copy, install
// the hook and show the stored choices; follow the check box at once; save; ask before closing; come
// back from the notification area.
#include "bridge/KeyDisplayName.h"
#include "bridge/KeyList.h"
#include "bridge/KeyNameToCode.h"
#include "bridge/KeystrokeInjection.h"
#include "bridge/MouseHook.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/ProgramTexts.h"
#include "resources/ResourceIds.h"
#include "runtime/AppInstance.h"
#include "settings/AutostartChoice.h"
#include "settings/ProcessTools.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsSaving.h"
#include "settings/StoredNumber.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/WindowHelpers.h"

namespace {

HICON TrayIconImage() { return LoadIconW(g_appInstance.GetInstanceHandle(), MAKEINTRESOURCEW(IDI_TRAY_ICON)); }

}  // namespace

bool CBridgeMainForm::IsChecked() const {
  return ctrlCheck.HasWindow() && SendMessageW(ctrlCheck.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CBridgeMainForm::ShowInTray() {
  if (exiting_) return;  // ended while its close question was open: no icon for a window that is gone
  if (HasWindow()) FormAdapter()->SetTrayIcon(TrayIconImage(), kProgramTitle);
  SetVisible(false);
}

void CBridgeMainForm::LeaveTray() {
  SetVisible(true);
  if (HasWindow()) FormAdapter()->SetTrayIcon(nullptr, L"");
}

int32_t CBridgeMainForm::OnMainFormCreated(CVolObject*) {
  // A key saved before means a start in the notification area; the window was created hidden.
  const std::wstring saved = RegistryReadText(kSettingsKeyPath, kKeyCodeValueName, L"");
  if (!saved.empty()) {
    if (HasWindow()) FormAdapter()->SetTrayIcon(TrayIconImage(), kProgramTitle);
    ShowWindowAsync(Handle(), SW_HIDE);
  } else {
    ShowWindowAsync(Handle(), SW_SHOWNORMAL);
  }

  CProcessTools::EnsureSingleInstance(CWString(CProcessTools::kInstanceEventName), CWString(kAlreadyRunningNotice));
  ListenForExitRequests();
  InstallMouseHook();
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
  const int32_t code = KeyNameToCode(text);
  // Many of the system's own key names are not in the parser's vocabulary: saving the name the form
  // showed must not turn the stored key into none.
  if (code == 0 && !text.IsEmpty() && text.IsEqual(shownKeyName_)) return shownKeyCode_;
  return code;
}

void CBridgeMainForm::SaveSettings() {
  std::wstring directory;
  GetModuleDirectory(nullptr, directory);
  const bool stored =
      StoreSettings(ChosenKeyCode(), IsChecked(), AutostartCommand(directory), *settingsWriter_, ReadAutostartChoice());
  if (stored) {
    ShowMessageBox(this, kSavedMessage, MB_OK, kSaveCaption);
  } else {
    ShowMessageBox(this, kSaveFailedMessage, MB_ICONERROR, kSaveCaption);
  }
}
