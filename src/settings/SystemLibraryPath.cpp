#include "settings/SystemLibraryPath.h"

#include <windows.h>

#include <cwchar>

namespace {

// What follows the last backslash, slash or colon of library.
const wchar_t* FileNamePart(const wchar_t* library) {
  const wchar_t* fileName = library;
  for (const wchar_t* p = library; *p != 0; ++p) {
    if (*p == L'\\' || *p == L'/' || *p == L':') fileName = p + 1;
  }
  return fileName;
}

}  // namespace

std::wstring SystemLibraryPath(const wchar_t* library) {
  if (library == nullptr || library[0] == 0) return std::wstring();
  const wchar_t* fileName = FileNamePart(library);
  if (fileName[0] == 0) return std::wstring();

  wchar_t systemDirectory[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(systemDirectory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();

  std::wstring path(systemDirectory, length);
  if (path.back() != L'\\') path += L'\\';
  path += fileName;
  if (std::wcschr(fileName, L'.') == nullptr) path += L".dll";
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::wstring();
  return path;
}

HMODULE LoadSystemLibrary(const wchar_t* library) {
  if (SystemLibraryPath(library).empty()) return nullptr;
  return LoadLibraryExW(FileNamePart(library), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
