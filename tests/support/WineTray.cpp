#include "support/WineTray.h"

#include "settings/KernelHandle.h"
#include "support/ProcessWindows.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr wchar_t kTrayClass[] = L"__winex11_standalone_tray";
constexpr wchar_t kIconClass[] = L"__winex11_tray_icon";
// Far more than any tip: a tooltip tool's text is at most this long.
constexpr size_t kTipBufferUnits = 1024;

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

// Memory committed in another process, freed when this goes.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, SIZE_T bytes)
      : process_(process), address_(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  char* Address() const { return static_cast<char*>(address_); }

 private:
  HANDLE process_;
  void* address_;
};

// A tooltip tool with its text buffer, laid out in the tooltip's process.
struct RemoteTool {
  TTTOOLINFOW info;
  wchar_t text[kTipBufferUnits];
};

std::vector<HWND> TooltipsOf(DWORD process) {
  std::vector<HWND> tooltips;
  for (const HWND window : TopLevelWindowsOf(process)) {
    if (ClassIs(window, TOOLTIPS_CLASSW)) tooltips.push_back(window);
  }
  return tooltips;
}

// Asks tooltip for its first tool (TTM_ENUMTOOLSW) or for the text of tool (TTM_GETTEXTW), in the
// remote record; false when the remote memory cannot be written or read.
bool AskTooltip(HANDLE process, RemoteMemory& memory, HWND tooltip, UINT message, WPARAM wParam,
                const TTTOOLINFOW& tool, RemoteTool& answer) {
  auto* remote = reinterpret_cast<RemoteTool*>(memory.Address());
  RemoteTool request{};
  request.info = tool;
  request.info.cbSize = sizeof(TTTOOLINFOW);
  request.info.lpszText = remote->text;
  if (!WriteProcessMemory(process, remote, &request, sizeof request, nullptr)) return false;
  SendMessageW(tooltip, message, wParam, reinterpret_cast<LPARAM>(remote));
  if (!ReadProcessMemory(process, remote, &answer, sizeof answer, nullptr)) return false;
  answer.text[kTipBufferUnits - 1] = 0;
  return true;
}

}  // namespace

namespace wine_tray {

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::vector<HWND> Icons() {
  std::vector<HWND> icons;
  const HWND tray = FindWindowW(kTrayClass, nullptr);
  if (tray == nullptr) return icons;
  for (HWND child = GetWindow(tray, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassIs(child, kIconClass)) icons.push_back(child);
  }
  // Children are listed topmost first; the tray places them left to right in the order added.
  std::sort(icons.begin(), icons.end(), [](HWND a, HWND b) { return CentreOf(a).x < CentreOf(b).x; });
  return icons;
}

std::optional<std::wstring> TipOf(HWND icon) {
  const DWORD processId = ProcessOf(icon);
  const KernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
  if (!process) return std::nullopt;
  RemoteMemory memory(process.get(), sizeof(RemoteTool));
  if (memory.Address() == nullptr) return std::nullopt;
  for (const HWND tooltip : TooltipsOf(processId)) {
    RemoteTool tool{};
    if (!AskTooltip(process.get(), memory, tooltip, TTM_ENUMTOOLSW, 0, TTTOOLINFOW{}, tool)) continue;
    if (tool.info.hwnd != icon) continue;
    RemoteTool text{};
    if (!AskTooltip(process.get(), memory, tooltip, TTM_GETTEXTW, kTipBufferUnits, tool.info, text)) continue;
    return std::wstring(text.text);
  }
  return std::nullopt;
}

POINT CentreOf(HWND icon) {
  RECT bounds{};
  GetWindowRect(icon, &bounds);
  return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

}  // namespace wine_tray
