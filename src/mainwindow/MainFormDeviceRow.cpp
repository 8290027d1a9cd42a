// The row that restricts the key to the wireless button: ticking the box learns the device of the
// next press, the label names it (or says the learning ran out), the choice counts at once and is
// stored by "保存" as "xrdevice"; at start a stored choice is in effect from the first press.
#include "bridge/HardwareId.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/ProgramTexts.h"
#include "settings/DeviceChoice.h"

bool CBridgeMainForm::IsDeviceChecked() const {
  return deviceCheck.HasWindow() && SendMessageW(deviceCheck.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CBridgeMainForm::SetDeviceChecked(bool checked) {
  if (deviceCheck.HasWindow()) SendMessageW(deviceCheck.Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CBridgeMainForm::ApplyStoredDeviceChoice() {
  inputCore_.SetDeviceListener(this);
  // "", "abc", a number or any text without a vendor and product id: every device.
  const std::wstring chosen = NormalizeStoredHardwareId(ReadStoredDeviceChoice());
  inputCore_.ChooseDevice(chosen);
  SetDeviceChecked(!chosen.empty());
  if (chosen.empty()) return;
  ShowChosenDevice();
}

void CBridgeMainForm::ShowChosenDevice() {
  const std::wstring& chosen = inputCore_.ChosenDevice();
  if (chosen.empty()) return;
  const DeviceIdentity present = inputCore_.PresentDevice(chosen);
  if (!present.hardwareId.empty()) {
    deviceLabel.SetControlText(present.displayName.c_str());
    return;
  }
  const std::wstring name = ShortNameOfHardwareId(chosen) + kNotConnectedSuffix;
  deviceLabel.SetControlText(name.c_str());
}

int32_t CBridgeMainForm::OnDeviceCheckClick(CVolObject* sender) {
  if (sender != &deviceCheck) return 0;
  // Every device while the box is clear, and while a learning waits for its press.
  inputCore_.ChooseDevice(L"");
  if (IsDeviceChecked()) {
    deviceLabel.SetControlText(kLearningPrompt);
    inputCore_.StartLearning(this, learningMs_);
  } else {
    inputCore_.StopLearning();
    deviceLabel.SetControlText(L"");
  }
  return 0;
}

void CBridgeMainForm::OnDeviceLearned(const DeviceIdentity& device) {
  inputCore_.ChooseDevice(device.hardwareId);
  deviceLabel.SetControlText(device.displayName.c_str());
}

void CBridgeMainForm::OnLearningTimedOut() {
  SetDeviceChecked(false);
  inputCore_.ChooseDevice(L"");
  deviceLabel.SetControlText(kLearningTimedOut);
}

void CBridgeMainForm::OnDevicesChanged() {
  // Only a chosen device's label says whether it is there; a learning keeps its prompt.
  if (!inputCore_.Learning()) ShowChosenDevice();
}
