#include "XdoTool.h"

#include "settings/KernelHandle.h"

#include <windows.h>

namespace {

constexpr wchar_t kProgram[] = L"Z:\\usr\\bin\\xdotool";
constexpr DWORD kRunTimeoutMs = 5000;

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

namespace xdotool {

bool Available() { return GetFileAttributesW(kProgram) != INVALID_FILE_ATTRIBUTES; }

bool Run(const std::string& arguments) {
  // Wine answers no process handle to wait on for a Linux program, so xdotool marks its end itself:
  // its last command creates a file, after every command before it is done.
  static unsigned runs = 0;
  const std::string marker =
      "/tmp/lanfhe-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
  std::wstring markerPath = L"Z:" + Widened(marker);
  for (auto& c : markerPath) {
    if (c == L'/') c = L'\\';
  }
  DeleteFileW(markerPath.c_str());
  std::wstring commandLine = std::wstring(kProgram) + L" " + Widened(arguments) + L" exec touch " + Widened(marker);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return false;
  }
  const KernelHandle process(started.hProcess);
  const KernelHandle thread(started.hThread);
  const DWORD start = GetTickCount();
  while (GetFileAttributesW(markerPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount() - start > kRunTimeoutMs) return false;
    Sleep(5);
  }
  DeleteFileW(markerPath.c_str());
  return true;
}

}  // namespace xdotool
