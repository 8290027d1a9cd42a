#include "ProgramUnderTest.h"

#include "mainwindow/ProgramTexts.h"
#include "settings/SettingsSaving.h"
#include "support/RealInput.h"

namespace {

struct FormSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK TakeForm(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<FormSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  if (owner != search->processId || std::wstring(className) == L"#32770" || std::wstring(title) != kProgramTitle) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

std::wstring ProgramPath() {
  // The build names the directory in the build system's form: "/..." on Linux, which Wine shows as
  // drive Z:, or a Windows path.
  const std::string built = LANFHE_PROGRAM_DIR;
  std::wstring path(MultiByteToWideChar(CP_UTF8, 0, built.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, built.c_str(), -1, &path[0], static_cast<int>(path.size()));
  path.resize(path.size() - 1);
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path + L"\\" + kProgramFileName;
}

std::wstring DirectoryOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

HWND FindProgramForm(DWORD processId) {
  FormSearch search{processId, nullptr};
  EnumWindows(TakeForm, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
  return text;
}

bool ClickScreen(int x, int y, int button, int count) {
  std::wstring clicks = L"click";
  if (count > 1) clicks += L" --repeat " + std::to_wstring(count) + L" --delay 80";
  // Not "mousemove --sync": it waits for ever when the pointer is already there.
  return RunXdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" " + clicks + L" " +
                    std::to_wstring(button));
}

bool ClickAt(HWND window, int x, int y, int button, int count) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return ClickScreen(point.x, point.y, button, count);
}

bool ClickCentre(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return ClickAt(window, client.right / 2, client.bottom / 2);
}
