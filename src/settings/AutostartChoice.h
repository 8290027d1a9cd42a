// Whether the program starts at log-on: the user's choice "xrautorun" ("0" off; missing or anything
// else on, as before the choice existed) and the Run value "an" that follows it (the command while
// on, absent while off).
#pragma once

#include "settings/SettingsWriter.h"

#include <string>

inline constexpr const wchar_t* kAutostartChoiceValueName = L"xrautorun";

// The choice a stored text means: off only for exactly "0".
bool AutostartChosen(const std::wstring& storedText);
// The choice as stored in the registry now.
bool ReadAutostartChoice();

// With on, writes the command as "an"; with off, deletes "an". True when done.
bool StoreAutostartEntry(bool on, const std::wstring& command, SettingsWriter& writer);
// Stores the choice ("1" or "0") and makes "an" follow it, the second step tried even when the first
// failed. True when both were done.
bool ApplyAutostartChoice(bool on, const std::wstring& command, SettingsWriter& writer);
