// The program's one window: a small fixed form titled "岚枫禾无线按钮扩展" with the list of keys,
// the "保存" button, the check box "启用组合键(Ctrl+组合键)", and a row below them that restricts the
// key to the wireless button (the check box "只响应无线按钮" and a label naming the device), and the
// handlers that are the program's whole behaviour.
#pragma once

#include "bridge/InputCore.h"
#include "mainwindow/ExitRequest.h"
#include "runtime/WString.h"
#include "mainwindow/TrayIconRetry.h"
#include "settings/SettingsWriter.h"
#include "winframework/Buttons.h"
#include "winframework/ComboBox.h"
#include "winframework/EventObjectPointer.h"
#include "winframework/Label.h"
#include "winframework/WinForm.h"

#include <cstdint>
#include <memory>

class CBridgeMainForm : public CVolWinForm, private InputCoreListener {
 public:
  static constexpr int32_t kKeyComboId = 101;
  static constexpr int32_t kSaveButtonId = 102;
  static constexpr int32_t kCtrlCheckId = 103;
  static constexpr int32_t kDeviceCheckId = 104;
  static constexpr int32_t kDeviceLabelId = 105;

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

  // The designed client size, in 96-dpi units like the controls' rectangles.
  int32_t GetDefaultClientWidth() override { return 256; }
  int32_t GetDefaultClientHeight() override { return 106; }
  // Binds the form's three events and creates and binds the three controls.
  void OnCreateChildren() override;

  // The handlers (Algorithms in their files).
  int32_t OnMainFormCreated(CVolObject* sender);
  int32_t OnCtrlCheckClick(CVolObject* sender);
  int32_t OnSaveClick(CVolObject* sender);
  int32_t OnMainFormCloseRequest(CVolObject* sender);
  int32_t OnMainFormTrayNotify(CVolObject* sender, int32_t kind);
  // Ticked: learn the next press's device (the label asks for it); cleared: every device again.
  int32_t OnDeviceCheckClick(CVolObject* sender);

  // Stores the chosen key, the Ctrl choice and the autostart command, and says whether it worked.
  void SaveSettings();
  // Ends the program at once, without the close question: the icon goes, the window is destroyed and
  // the message loop ends with 0.
  void ExitNow();

  // The store SaveSettings writes to (the registry unless a test gives another).
  void SetSettingsWriter(SettingsWriter* writer) { settingsWriter_ = writer; }
  // How long a learning waits for a press (15 s unless a test gives another).
  void SetLearningTimeout(DWORD milliseconds) { learningMs_ = milliseconds; }
  // The input core the form started; tests read what it counted and chose.
  InputCore& Input() { return inputCore_; }

  CVolComboBox keyCombo;
  CVolPushButton saveButton;
  CVolCheckBox ctrlCheck;
  CVolCheckBox deviceCheck;
  CVolLabel deviceLabel;
  CVolEventObjectPointer* formEvents;

 private:
  // The key code a save stores for the combo box's text: the stored code while the text is exactly
  // the name the form showed for it (the empty name included), else the parsed code.
  int32_t ChosenKeyCode() const;
  // Adds the notification-area icon, and keeps asking for it while the shell refuses it.
  void AddTrayIcon();
  void ShowInTray();
  void LeaveTray();
  bool IsChecked() const;
  bool IsDeviceChecked() const;
  void SetDeviceChecked(bool checked);
  // The stored device choice put into effect at start: the box, the label, the core's filter.
  void ApplyStoredDeviceChoice();
  // The label for the chosen device: its name, with "（未连接）" while no present device has its id.
  void ShowChosenDevice();
  void OnDeviceLearned(const DeviceIdentity& device) override;
  void OnLearningTimedOut() override;
  void OnDevicesChanged() override;
  // The menu of the notification-area icon and what its items do (MainFormTrayActions.cpp).
  void OpenTrayMenu();
  // Turns the start at log-on on or off at once; "保存失败" when that cannot be stored.
  void SwitchAutostart();
  // From now on "/exit" from another process ends this copy.
  void ListenForExitRequests();
  // Creates control as a child of this form's window at the given place, in 96-dpi design units
  // that the form scales to its DPI.
  void CreateChild(CVolWinControl& control, int32_t left, int32_t top, int32_t width, int32_t height, int32_t id);

  CWString shownKeyName_;     // what the combo box showed for the stored code at start
  int32_t shownKeyCode_ = 0;  // that code
  RegistrySettingsWriter registryWriter_;
  SettingsWriter* settingsWriter_ = &registryWriter_;
  TrayIconRetry trayRetry_;
  // Sends the key for every press from the form's creation on; the form only starts it.
  InputCore inputCore_;
  DWORD learningMs_ = InputCore::kLearningMs;
  std::unique_ptr<ExitRequestListener> exitRequests_;
  // Set by ExitNow: the window is being destroyed, possibly under a question still on the stack.
  bool exiting_ = false;
};
