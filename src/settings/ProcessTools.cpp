#include "settings/ProcessTools.h"

#include "settings/KernelHandle.h"

#include <tlhelp32.h>

#include <cwchar>

namespace {

CVolObject* CreateProcessTools() { return new CProcessTools(); }

// The first process of the name, passing over skippedId (0 passes over nothing real: it is the
// system's idle process, which no executable file name matches).
uint32_t FindProcessByNameSkipping(const CWString& fileName, uint32_t skippedId) {
  KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID != skippedId && _wcsicmp(entry.szExeFile, fileName.GetText()) == 0) {
      return entry.th32ProcessID;
    }
  }
  return 0;
}

const wchar_t* FilterOrNull(const CWString& filter) { return filter.IsEmpty() ? nullptr : filter.GetText(); }

}  // namespace

const CVolClassInfo& CProcessTools::ClassInfo() {
  static const CVolClassInfo info = MakeClassInfo(&CreateProcessTools, "rg_n::rg_n41430");
  return info;
}

const CVolClassInfo& CProcessTools::GetClassInfo() const { return ClassInfo(); }

CProcessTools* CProcessTools::CreateNew() const { return new CProcessTools(); }

CProcessTools* CProcessTools::Clone() const { return new CProcessTools(*this); }

bool CProcessTools::IsKindOf(const CVolClassInfo& info) const {
  return SameClass(info, ClassInfo()) || CVolObject::IsKindOf(info);
}

uint32_t CProcessTools::FindProcessByName(const CWString& fileName) { return FindProcessByNameSkipping(fileName, 0); }

uint32_t CProcessTools::FindOtherProcessByName(const CWString& fileName) {
  return FindProcessByNameSkipping(fileName, GetCurrentProcessId());
}

HWND CProcessTools::FindProcessWindow(uint32_t processId, const CWString& classFilter, const CWString& titleFilter,
                                      int32_t limitMs) {
  const DWORD start = GetTickCount();
  if (limitMs <= 0) return nullptr;
  const DWORD limit = static_cast<DWORD>(limitMs);
  const wchar_t* className = FilterOrNull(classFilter);
  const wchar_t* title = FilterOrNull(titleFilter);

  // After the last window the search answers null, and the next call starts again from the first.
  HWND window = nullptr;
  for (;;) {
    window = FindWindowExW(nullptr, window, className, title);
    if (window != nullptr && IsWindow(window) && IsWindowVisible(window)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId) return window;
    }
    // Unsigned difference: right across the tick counter's wrap as well.
    if (GetTickCount() - start >= limit) return nullptr;
  }
}

HWND CProcessTools::FindProcessNameWindow(const CWString& fileName) {
  const uint32_t processId = FindProcessByName(fileName);
  if (processId == 0) return reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
  return FindProcessWindow(processId, CWString(), CWString(), kRunningCopySearchMs);
}

CWString CProcessTools::GetModuleFileTitle() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  // A path longer than the buffer comes back cut off, and its end would be no file name at all.
  if (length == 0 || length >= MAX_PATH) return CWString();
  const wchar_t* lastBackslash = std::wcsrchr(path, L'\\');
  return CWString(lastBackslash != nullptr ? lastBackslash + 1 : path);
}
