// The program's one window: a small fixed form titled "岚枫禾无线按钮扩展" with the list of keys,
// the "保存" button and the check box "启用组合键(Ctrl+组合键)", and the five handlers that are the
// program's whole behaviour.
#pragma once

#include "mainwindow/ExitRequest.h"
#include "runtime/WString.h"
#include "settings/SettingsWriter.h"
#include "winframework/Buttons.h"
#include "winframework/ComboBox.h"
#include "winframework/EventObjectPointer.h"
#include "winframework/WinForm.h"

#include <cstdint>
#include <memory>

class CBridgeMainForm : public CVolWinForm {
 public:
  static constexpr int32_t kKeyComboId = 101;
  static constexpr int32_t kSaveButtonId = 102;
  static constexpr int32_t kCtrlCheckId = 103;

  // No window yet: the title, the fixed frame without boxes and the hidden state are stored.
  CBridgeMainForm();
  // The event-object pointer is torn down first, so that no event reaches the form any more; then
  // the check box, the button and the combo box go, then the form itself.
  ~CBridgeMainForm() override;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  // Only this very form.
  bool IsEqual(const CVolObject& other) const override;
  CBridgeMainForm* CreateNew() const override;
  // Only from a CBridgeMainForm: the form part, then the three controls; the event pointer stays.
  bool AssignFrom(const CVolObject& source) override;
  bool IsKindOf(const CVolClassInfo& info) const override;
  // The form part, then the combo box, the button and the check box.
  void LoadFrom(IVolStream* stream) override;
  void SaveTo(IVolStream* stream) const override;

  int32_t GetDefaultClientWidth() override { return 256; }
  int32_t GetDefaultClientHeight() override { return 75; }
  // Binds the form's three events and creates and binds the three controls.
  void OnCreateChildren() override;

  // The handlers (Algorithms in their files).
  int32_t OnMainFormCreated(CVolObject* sender);
  int32_t OnCtrlCheckClick(CVolObject* sender);
  int32_t OnSaveClick(CVolObject* sender);
  int32_t OnMainFormCloseRequest(CVolObject* sender);
  int32_t OnMainFormTrayNotify(CVolObject* sender, int32_t kind);

  // Stores the chosen key, the Ctrl choice and the autostart command, and says whether it worked.
  void SaveSettings();
  // Ends the program at once, without the close question: the icon goes, the window is destroyed and
  // the message loop ends with 0.
  void ExitNow();

  // The store SaveSettings writes to (the registry unless a test gives another).
  void SetSettingsWriter(SettingsWriter* writer) { settingsWriter_ = writer; }

  CVolComboBox keyCombo;
  CVolPushButton saveButton;
  CVolCheckBox ctrlCheck;
  CVolEventObjectPointer* formEvents;

 private:
  // The key code a save stores for the combo box's text: the parsed code; but when the text does not
  // parse and is exactly the name the form showed for the stored code, that code.
  int32_t ChosenKeyCode() const;
  void ShowInTray();
  void LeaveTray();
  bool IsChecked() const;
  // The menu of the notification-area icon and what its items do (MainFormTrayActions.cpp).
  void OpenTrayMenu();
  // Turns the start at log-on on or off at once; "保存失败" when that cannot be stored.
  void SwitchAutostart();
  // From now on "/exit" from another process ends this copy.
  void ListenForExitRequests();
  // Creates control as a child of this form's window at the given place.
  void CreateChild(CVolWinControl& control, int32_t left, int32_t top, int32_t width, int32_t height, int32_t id);

  CWString shownKeyName_;     // what the combo box showed for the stored code at start
  int32_t shownKeyCode_ = 0;  // that code
  RegistrySettingsWriter registryWriter_;
  SettingsWriter* settingsWriter_ = &registryWriter_;
  std::unique_ptr<ExitRequestListener> exitRequests_;
  // Set by ExitNow: the window is being destroyed, possibly under a question still on the stack.
  bool exiting_ = false;
};
