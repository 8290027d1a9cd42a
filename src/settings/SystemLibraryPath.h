// Libraries that belong to the system. A file of such a name placed beside the program must never
// be loaded in their stead.
#pragma once

#include <string>

// The full path of the library in the system directory when the system directory holds a file of
// the library's file name (what follows its last backslash, slash or colon in library, with ".dll" added
// when that part has no extension, as the loader adds it). Empty when it holds none, or for a null
// or empty name.
std::wstring SystemLibraryPath(const wchar_t* library);
