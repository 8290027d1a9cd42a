// The stored choice of the one device whose presses send the key: "xrdevice" (REG_SZ) holds its
// hardware id; no value means every device.
#pragma once

#include "settings/SettingsWriter.h"

#include <string>

// The stored text, empty when nothing (or no text) is stored.
std::wstring ReadStoredDeviceChoice();

// Writes hardwareId, or deletes the value for an empty one. True when done.
bool StoreDeviceChoice(const std::wstring& hardwareId, SettingsWriter& writer);
