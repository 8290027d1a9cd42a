#include "settings/ModulePath.h"

#include "runtime/VolMem.h"

#include <cwchar>

namespace {

bool IsAbsolutePath(const wchar_t* path) {
  return path[0] == L'\\' || (path[0] != 0 && path[1] == L':' && path[2] == L'\\');
}

// The work buffer seen as the text it holds: units up to, not counting, the closing NUL.
struct WorkText {
  CVolMem& work;

  wchar_t* Units() const { return reinterpret_cast<wchar_t*>(work.GetData()); }
  int64_t Length() const { return work.GetLength() / 2 - 1; }
  // The first position at or after from where the text continues with pattern; -1 if none.
  int64_t Find(const wchar_t* pattern, int64_t from) const {
    const int64_t patternLength = static_cast<int64_t>(std::wcslen(pattern));
    for (int64_t i = from; i + patternLength <= Length(); ++i) {
      if (std::wcsncmp(Units() + i, pattern, static_cast<size_t>(patternLength)) == 0) return i;
    }
    return -1;
  }
  void Remove(int64_t position, int64_t units) { work.RemoveRange(position * 2, units * 2); }
};

}  // namespace

const wchar_t* JoinModulePath(const wchar_t* directory, const wchar_t* name, CVolMem& work) {
  if (directory == nullptr || directory[0] == 0) return name;
  if (name == nullptr || name[0] == 0) return directory;
  if (IsAbsolutePath(name)) return name;

  work.SetSize(0);
  work.AppendWide(directory);
  if (directory[std::wcslen(directory) - 1] != L'\\') work.AppendWide(L"\\");
  work.AppendWideZ(name);

  WorkText text{work};
  // "\.\" names the directory it stands in.
  for (int64_t at = text.Find(L"\\.\\", 0); at >= 0; at = text.Find(L"\\.\\", at)) text.Remove(at, 2);
  // "\..\" takes away the component before it, from the backslash in front of that component up to
  // the last backslash of the "\..\".
  for (int64_t at = text.Find(L"\\..\\", 0); at >= 0; at = text.Find(L"\\..\\", at)) {
    int64_t before = at - 1;
    while (before >= 0 && text.Units()[before] != L'\\') --before;
    if (before < 0) return name;
    text.Remove(before, at + 3 - before);
    at = before;
  }
  return text.Units();
}

std::wstring LibraryDirectoryOf(const wchar_t* path) {
  if (path == nullptr || !IsAbsolutePath(path)) return std::wstring();
  const wchar_t* lastBackslash = std::wcsrchr(path, L'\\');
  size_t length = static_cast<size_t>(lastBackslash - path);
  // "C:\x.dll" lies in "C:\", "\x.dll" in "\".
  if (length == 0 || (length == 2 && path[1] == L':')) ++length;
  return std::wstring(path, length);
}

HMODULE LoadLibraryFromDirectory(const wchar_t* name) {
  if (name == nullptr || name[0] == 0) return nullptr;
  const std::wstring directory = LibraryDirectoryOf(name);
  wchar_t saved[MAX_PATH] = {};
  const DWORD savedLength = directory.empty() ? 0 : GetCurrentDirectoryW(MAX_PATH, saved);
  if (savedLength == 0 || savedLength >= MAX_PATH) return LoadLibraryW(name);

  SetCurrentDirectoryW(directory.c_str());
  HMODULE module = LoadLibraryW(name);
  if (saved[0] != 0) SetCurrentDirectoryW(saved);
  return module;
}
