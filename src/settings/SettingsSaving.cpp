#include "settings/SettingsSaving.h"

#include "settings/RegistryStore.h"
#include "settings/AutostartChoice.h"
#include "settings/SettingsKeys.h"

bool RegistrySettingsWriter::WriteText(const std::wstring& keyPath, const std::wstring& valueName,
                                       const std::wstring& text) {
  return RegistryWriteText(keyPath, valueName, text);
}

std::wstring AutostartCommand(const std::wstring& executablePath) { return L"\"" + executablePath + L"\""; }

bool StoreSettings(int32_t keyCode, bool ctrlChecked, const std::optional<std::wstring>& autostartCommand,
                   SettingsWriter& writer, bool autostartOn) {
  // Every write is attempted: a failed one leaves the earlier value and stops nothing.
  const bool codeStored = writer.WriteText(kSettingsKeyPath, kKeyCodeValueName, std::to_wstring(keyCode));
  const bool ctrlStored = writer.WriteText(kSettingsKeyPath, kCtrlComboValueName, ctrlChecked ? L"1" : L"0");
  // Without the executable's path no command is right: the earlier one stays and the save failed.
  const bool autostartStored = autostartOn ? autostartCommand.has_value() &&
                                                 StoreAutostartEntry(true, *autostartCommand, writer)
                                           : StoreAutostartEntry(false, std::wstring(), writer);
  return codeStored && ctrlStored && autostartStored;
}
