// Where a library is looked for: a name joined to a directory, and loading with the library's own
// directory as the current one.
#pragma once

#include <windows.h>

#include <string>

class CVolMem;

// The path under which a library named name is first looked for in directory:
//   - name itself when directory is null or empty, or when name starts with a backslash or is a
//     drive path ("X:\..."); directory itself when name is null or empty;
//   - otherwise directory, a backslash unless it ends in one, and name, built in work, with every
//     "\.\" folded into "\" and every "\..\" taking away the component before it. A ".." with no
//     component left before it gives name unchanged.
// The result is one of the two arguments or the text in work, which it lives as long as.
const wchar_t* JoinModulePath(const wchar_t* directory, const wchar_t* name, CVolMem& work);

// The directory of an absolute path ("\..." or "X:\..."): the text before its last backslash, which
// stays when it follows the drive's colon or starts the path. Empty for a relative path.
std::wstring LibraryDirectoryOf(const wchar_t* path);

// LoadLibraryW of name. For an absolute path the current directory is the library's own directory
// while the system loads it and resolves its dependencies, and is set back afterwards. Null for a null
// or empty name or when the library cannot be loaded.
HMODULE LoadLibraryFromDirectory(const wchar_t* name);
