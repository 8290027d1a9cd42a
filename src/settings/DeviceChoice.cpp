#include "settings/DeviceChoice.h"

#include "settings/RegistryStore.h"
#include "settings/SettingsKeys.h"

std::wstring ReadStoredDeviceChoice() { return RegistryReadText(kSettingsKeyPath, kDeviceValueName, L""); }

bool StoreDeviceChoice(const std::wstring& hardwareId, SettingsWriter& writer) {
  if (hardwareId.empty()) return writer.DeleteValue(kSettingsKeyPath, kDeviceValueName);
  return writer.WriteText(kSettingsKeyPath, kDeviceValueName, hardwareId);
}
