#include "settings/SettingsSaving.h"

#include "settings/RegistryStore.h"
#include "settings/AutostartChoice.h"
#include "settings/SettingsKeys.h"

bool RegistrySettingsWriter::WriteText(const std::wstring& keyPath, const std::wstring& valueName,
                                       const std::wstring& text) {
  return RegistryWriteText(keyPath, valueName, text);
}

std::wstring AutostartCommand(const std::wstring& directory) {
  return L"\"" + directory + kProgramFileName + L"\"";
}

bool StoreSettings(int32_t keyCode, bool ctrlChecked, const std::wstring& autostartCommand, SettingsWriter& writer,
                   bool autostartOn) {
  // Every write is attempted: a failed one leaves the earlier value and stops nothing.
  const bool codeStored = writer.WriteText(kSettingsKeyPath, kKeyCodeValueName, std::to_wstring(keyCode));
  const bool ctrlStored = writer.WriteText(kSettingsKeyPath, kCtrlComboValueName, ctrlChecked ? L"1" : L"0");
  const bool autostartStored = StoreAutostartEntry(autostartOn, autostartCommand, writer);
  return codeStored && ctrlStored && autostartStored;
}
