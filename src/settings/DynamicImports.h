// Filling a table of system functions by name at start, and releasing the libraries it loaded.
#pragma once

#include "settings/DynamicImportTable.h"

// Fills the address of every row of table, up to the row whose library is null, and returns 1.
// Each named library is loaded and its handle appended to g_loadedLibraries; a row with an empty
// library name takes its function from the library of the row before. Where a library is looked for:
//   - a library that the system directory holds is loaded by its file name from there and nowhere
//     else, so that a file of that name beside the program is never loaded into it, while the
//     process's activation context still chooses the version (the program's manifest asks for the
//     common controls of version 6);
//   - any other library first in the program's own directory (the directory of the instance
//     handle), then, for a name with a folder part, by its file name in that directory, and last by
//     the name as written, through the system's search.
// A function "@n" is looked up by ordinal n, for n from 1 to 65535 only. A library that cannot be
// loaded, or a function it does not export (or an ordinal outside that range), throws CVolException
// (code -1) naming them; rows before it stay filled and libraries loaded so far stay listed.
int LoadDynamicImports(DynamicImportEntry* table);
// LoadDynamicImports of g_user32Imports.
int LoadDynamicImports();

// FreeLibrary for every handle in g_loadedLibraries, in load order, and empties the list. The
// addresses in the tables stay as they are.
void FreeDynamicImports();
