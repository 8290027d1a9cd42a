// The full path of a module's file as the system reports it, however long.
#pragma once

#include <windows.h>

#include <string>

// GetModuleFileNameW's shape; a test puts its own in to see long and unreadable paths.
using ModuleFileNameCall = DWORD(WINAPI*)(HMODULE module, LPWSTR buffer, DWORD units);

// The path of module's file (null: the running executable) into path. The buffer starts at MAX_PATH
// units and grows while the system fills it to the brim, up to the longest path the system allows.
// False, with path empty, when the system gives no path or none that fits whole.
bool ReadModuleFilePath(HMODULE module, std::wstring& path, ModuleFileNameCall call = GetModuleFileNameW);
