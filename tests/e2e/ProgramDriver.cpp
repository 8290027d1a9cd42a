#include "ProgramDriver.h"

#include "settings/KernelHandle.h"
#include "support/NamedEvents.h"
#include "support/ProcessWindows.h"
#include "support/RealInput.h"
#include "support/WineTray.h"

#include <algorithm>
#include <cwchar>

namespace e2e {

namespace {

std::wstring Widen(const char* utf8) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring wide(units > 0 ? units - 1 : 0, L'\0');
  if (units > 1) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], units);
  return wide;
}

POINT CentreOf(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

}  // namespace

std::wstring ProgramPath() {
  // The build gives the path in its own form: under Wine a Linux path, which drive Z: maps.
  std::wstring path = Widen(LANFHE_PROGRAM_PATH);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  if (!path.empty() && path[0] == L'\\') path = L"Z:" + path;
  return path;
}

std::wstring DirectoryOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\') + 1); }

std::wstring BesideTest(const wchar_t* fileName) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return DirectoryOf(path) + fileName;
}

bool AnyCopyRuns() { return EventExists(L"重复运行"); }

bool WaitForStartUp(DWORD processId) {
  const KernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
  return process && WaitForInputIdle(process.get(), kStartTimeoutMs) == 0;
}

HWND FindForm(DWORD processId) {
  for (const HWND window : TopLevelWindowsOf(processId)) {
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    if (std::wcscmp(title, kProgramTitle) == 0 && !ClassIs(window, L"#32770")) return window;
  }
  return nullptr;
}

bool HasVisibleWindow(DWORD processId) {
  const std::vector<HWND> windows = TopLevelWindowsOf(processId);
  return std::any_of(windows.begin(), windows.end(), [](HWND window) { return IsWindowVisible(window) != FALSE; });
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result) == 0) return -1;
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  Ask(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  text[255] = 0;
  return text;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const LRESULT count = Ask(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[256] = {};
    if (Ask(combo, CB_GETLBTEXTLEN, i) >= 256) return items;  // no list of ours is that long
    Ask(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(item);
  }
  return items;
}

RECT PlaceInParent(HWND child) {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::wstring SystemKeyName(UINT virtualKey) {
  wchar_t name[64] = {};
  GetKeyNameTextW(static_cast<LONG>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) << 16), name, 64);
  return name;
}

std::vector<CaptionHit> CaptionHits(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  // The caption's middle: below the frame, half a caption down.
  const int y = outer.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  std::vector<CaptionHit> hits;
  for (int x = outer.left; x < outer.right; ++x) {
    hits.push_back({POINT{x, y}, Ask(window, WM_NCHITTEST, 0, MAKELPARAM(x, y))});
  }
  return hits;
}

bool FindHit(const std::vector<CaptionHit>& hits, LRESULT code, POINT& middle) {
  std::vector<POINT> points;
  for (const CaptionHit& hit : hits) {
    if (hit.code == code) points.push_back(hit.at);
  }
  if (points.empty()) return false;
  middle = points[points.size() / 2];
  return true;
}

HWND NewestTrayIcon() {
  const std::vector<HWND> icons = wine_tray::Icons();
  return icons.empty() ? nullptr : icons.back();
}

bool ClickAt(POINT screen, int button, int count) {
  std::wstring clicks = L"click";
  if (count > 1) clicks += L" --repeat " + std::to_wstring(count) + L" --delay 80";
  // Not "mousemove --sync": it waits for ever when the pointer is already there.
  return RunXdotool(L"mousemove " + std::to_wstring(screen.x) + L" " + std::to_wstring(screen.y) + L" " + clicks +
                    L" " + std::to_wstring(button));
}

bool ClickAt(HWND window, int x, int y, int button, int count) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  return ClickAt(point, button, count);
}

bool ClickCentreOf(HWND window) { return ClickAt(CentreOf(window)); }

bool PressKey(const wchar_t* keysym) { return RunXdotool(std::wstring(L"key ") + keysym); }

}  // namespace e2e
