// Text values in the current user's registry, and the directory of a module.
#pragma once

#include <windows.h>

#include <string>

// The text of a REG_SZ or REG_EXPAND_SZ value (the latter with its environment variables expanded)
// under HKEY_CURRENT_USER\keyPath, or defaultText when the key or value is missing, of another type
// or unreadable. A value holding the empty string gives the empty text.
std::wstring RegistryReadText(const std::wstring& keyPath, const std::wstring& valueName,
                              const std::wstring& defaultText);

// Stores text as a REG_SZ value, creating the key and its parents when missing.
// True when the value was stored.
bool RegistryWriteText(const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text);

// Deletes the value under HKEY_CURRENT_USER\keyPath. True when it is gone afterwards: deleted, or
// missing already (with or without its key); false when it is there and could not be deleted.
bool RegistryDeleteValue(const std::wstring& keyPath, const std::wstring& valueName);

// The directory of the module's file (null: the running executable), with its trailing backslash.
// False, with directory empty, when the module's path cannot be had.
bool GetModuleDirectory(HMODULE module, std::wstring& directory);

// A path cut after its last backslash (which stays); empty when it has none.
std::wstring DirectoryOfPath(const std::wstring& path);
