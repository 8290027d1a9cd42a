#include "settings/AutostartChoice.h"

#include "settings/RegistryStore.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsSaving.h"

bool AutostartChosen(const std::wstring& storedText) { return storedText != L"0"; }

bool ReadAutostartChoice() {
  return AutostartChosen(RegistryReadText(kSettingsKeyPath, kAutostartChoiceValueName, L"1"));
}

bool StoreAutostartEntry(bool on, const std::wstring& command, SettingsWriter& writer) {
  if (on) return writer.WriteText(kAutostartKeyPath, kAutostartValueName, command);
  return writer.DeleteValue(kAutostartKeyPath, kAutostartValueName);
}

bool ApplyAutostartChoice(bool on, const std::wstring& command, SettingsWriter& writer) {
  const bool choiceStored = writer.WriteText(kSettingsKeyPath, kAutostartChoiceValueName, on ? L"1" : L"0");
  const bool entryDone = StoreAutostartEntry(on, command, writer);
  return choiceStored && entryDone;
}
