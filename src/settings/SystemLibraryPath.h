// Libraries that belong to the system. A file of such a name placed beside the program must never
// be loaded in their stead.
#pragma once

#include <windows.h>

#include <string>

// The full path of the library in the system directory when the system directory holds a file of
// the library's file name (what follows its last backslash, slash or colon in library, with ".dll" added
// when that part has no extension, as the loader adds it). Empty when it holds none, or for a null
// or empty name.
std::wstring SystemLibraryPath(const wchar_t* library);

// Loads a library that the system directory holds (see SystemLibraryPath) by its file name, with the
// search limited to the system directory. Not by its full path: a path passes by the process's
// activation context, so "comctl32.dll" would come as the old version 5 library even where the
// program's manifest asks for version 6. Null when the system directory holds no such file or the
// load fails.
HMODULE LoadSystemLibrary(const wchar_t* library);
