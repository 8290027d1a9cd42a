#include "settings/DynamicImports.h"

#include "runtime/AppInstance.h"
#include "runtime/VolException.h"
#include "runtime/VolMem.h"
#include "runtime/WString.h"
#include "settings/ModulePath.h"
#include "settings/RegistryStore.h"
#include "settings/SystemLibraryPath.h"

#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

[[noreturn]] void ThrowLibraryNotLoaded(const CWString& library) {
  CWString message;
  message.Format(L"载入运行时所需要的外部动态链接库文件\"%s\"失败!", library.GetText());
  throw CVolException(message.GetText());
}

[[noreturn]] void ThrowFunctionNotFound(const CWString& library, const char* function) {
  const CWString functionName(function != nullptr ? function : "");
  CWString message;
  message.Format(L"在外部动态链接库\"%s\"中未找到所需要的输出函数\"%s\"!", library.GetText(), functionName.GetText());
  throw CVolException(message.GetText());
}

// The library of one row. directory is the program's directory with its trailing backslash, or
// empty when it is not known.
HMODULE LoadRowLibrary(const wchar_t* library, const std::wstring& directory) {
  // A system library comes from the system directory only (or as the activation context redirects
  // it): looking beside the program first would run any file of that name placed there.
  if (!SystemLibraryPath(library).empty()) return LoadSystemLibrary(library);

  CVolMem work;
  const wchar_t* firstPath = directory.empty() ? library : JoinModulePath(directory.c_str(), library, work);
  HMODULE module = LoadLibraryFromDirectory(firstPath);
  const wchar_t* lastBackslash = std::wcsrchr(library, L'\\');
  if (module == nullptr && !directory.empty() && lastBackslash != nullptr) {
    module = LoadLibraryFromDirectory((directory + (lastBackslash + 1)).c_str());
  }
  if (module == nullptr && firstPath != library) module = LoadLibraryFromDirectory(library);
  return module;
}

// The address of function in module: "@n" by ordinal n (read as atoi reads it), else by name. Only
// 1 to 65535 are ordinals; anything else is not looked up. Passed in place of a name pointer, 0 (also
// what "@" and "@abc" read as) would be a null name, and a number beyond 16 bits would be read as a
// text pointer.
void* FindFunction(HMODULE module, const char* function) {
  if (function == nullptr) return nullptr;
  if (function[0] != '@') return reinterpret_cast<void*>(GetProcAddress(module, function));
  errno = 0;
  const long ordinal = std::strtol(function + 1, nullptr, 10);
  if (errno == ERANGE || ordinal < 1 || ordinal > 0xFFFF) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal)));
}

}  // namespace

int LoadDynamicImports(DynamicImportEntry* table) {
  if (table == nullptr) return 1;
  std::wstring directory;
  if (!GetModuleDirectory(g_appInstance.GetInstanceHandle(), directory)) directory.clear();

  HMODULE module = nullptr;
  CWString nameInMessages;
  for (DynamicImportEntry* row = table; row->library != nullptr; ++row) {
    if (row->library[0] != 0) {
      module = LoadRowLibrary(row->library, directory);
      if (module != nullptr) g_loadedLibraries.AppendBytes(&module, sizeof module);
      nameInMessages = CWString(row->library);
    }
    if (module == nullptr) ThrowLibraryNotLoaded(nameInMessages);
    row->address = FindFunction(module, row->function);
    if (row->address == nullptr) ThrowFunctionNotFound(nameInMessages, row->function);
  }
  return 1;
}

int LoadDynamicImports() { return LoadDynamicImports(g_user32Imports); }

void FreeDynamicImports() { g_appInstance.FreeLoadedLibraries(); }
