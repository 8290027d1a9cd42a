// Reads the Wine desktop for shell scripts that drive programs with real X input (the demonstration,
// the screenshot, the benchmarks): where a window and its controls are, what a control or a message
// box says, the icons in Wine's own notification area, and what the program stored in the registry
// (reg.exe prints non-ASCII text as question marks). It never clicks or types; xdotool does.
//
//   desktop_probe window TITLE [any|shown|hidden|gone] [TIMEOUT_MS]
//       waits for the top-level window titled TITLE in that state; prints
//       "PID VISIBLE LEFT TOP RIGHT BOTTOM" (nothing for gone)
//   desktop_probe point TITLE ID|close     screen centre of child ID, or of the caption's close button
//   desktop_probe text TITLE ID            the child's text
//   desktop_probe checked TITLE ID         1 when the check box is ticked, else 0
//   desktop_probe notice TITLE [TIMEOUT_MS]
//       waits for a visible message box of the process that owns TITLE; prints its caption, its text
//       (line feeds as \n) and "button ID X Y" per push button
//   desktop_probe tray [COUNT TIMEOUT_MS]  waits until Wine's tray holds COUNT icons; prints
//       "icons N", then "icon X Y" per icon
//   desktop_probe value KEY NAME           the text value NAME of HKEY_CURRENT_USER\KEY
// Text is printed as UTF-8. Exit code 0 when found, 1 when not (or the time ran out), 2 for bad use.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kDefaultTimeoutMs = 10000;

void Print(const std::wstring& line) {
  const std::wstring text = line + L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

// WM_GETTEXT, not GetWindowTextW: for a window of another process that reads only the stored title,
// never what a control such as a combo box answers itself.
std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
  return text;
}

std::wstring Escaped(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\n') {
      out += L"\\n";
    } else if (c != L'\r') {
      out += c;
    }
  }
  return out;
}

std::wstring Centre(const RECT& rect) {
  return std::to_wstring((rect.left + rect.right) / 2) + L" " + std::to_wstring((rect.top + rect.bottom) / 2);
}

// Polls until found() answers true or timeoutMs passed; answers found().
template <typename Found>
bool WaitFor(Found found, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!found()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

DWORD ParseTimeout(int argc, wchar_t** argv, int index) {
  return argc > index ? static_cast<DWORD>(std::wcstoul(argv[index], nullptr, 10)) : kDefaultTimeoutMs;
}

int Window(const std::wstring& title, const std::wstring& state, DWORD timeoutMs) {
  HWND window = nullptr;
  const bool reached = WaitFor(
      [&] {
        window = FindWindowW(nullptr, title.c_str());
        if (state == L"gone") return window == nullptr;
        if (window == nullptr) return false;
        if (state == L"shown") return IsWindowVisible(window) != FALSE;
        if (state == L"hidden") return IsWindowVisible(window) == FALSE;
        return true;
      },
      timeoutMs);
  if (!reached) return 1;
  if (window == nullptr) return 0;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  RECT rect{};
  GetWindowRect(window, &rect);
  Print(std::to_wstring(processId) + L" " + (IsWindowVisible(window) ? L"1 " : L"0 ") + std::to_wstring(rect.left) +
        L" " + std::to_wstring(rect.top) + L" " + std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
  return 0;
}

bool IsClose(HWND window, int x, int y) {
  DWORD_PTR hit = HTNOWHERE;
  SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 1000, &hit);
  return hit == HTCLOSE;
}

// The close button is found the way the window itself tells it: by hit-testing along the caption.
bool CloseButton(HWND window, RECT& button) {
  TITLEBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!GetTitleBarInfo(window, &bar)) return false;
  const RECT caption = bar.rcTitleBar;
  const int middle = (caption.top + caption.bottom) / 2;
  int x = caption.right;
  while (x > caption.left && !IsClose(window, x, middle)) --x;
  if (x == caption.left) return false;
  button.right = x + 1;
  while (x > caption.left && IsClose(window, x - 1, middle)) --x;
  button.left = x;
  const int centreX = (button.left + button.right) / 2;
  int y = middle;
  while (y > caption.top && IsClose(window, centreX, y - 1)) --y;
  button.top = y;
  y = middle;
  while (y < caption.bottom && IsClose(window, centreX, y + 1)) ++y;
  button.bottom = y + 1;
  return true;
}

int Point(HWND window, const std::wstring& id) {
  if (id == L"close") {
    RECT button{};
    if (!CloseButton(window, button)) return 1;
    Print(Centre(button));
    return 0;
  }
  const HWND child = GetDlgItem(window, static_cast<int>(std::wcstol(id.c_str(), nullptr, 10)));
  if (child == nullptr) return 1;
  RECT rect{};
  GetWindowRect(child, &rect);
  Print(Centre(rect));
  return 0;
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK TakeBox(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<BoxSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || ClassOf(window) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK PrintButton(HWND child, LPARAM) {
  if (ClassOf(child) == L"Button" && IsWindowVisible(child)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    Print(L"button " + std::to_wstring(GetDlgCtrlID(child)) + L" " + Centre(rect));
  }
  return TRUE;
}

int Notice(HWND window, DWORD timeoutMs) {
  BoxSearch search{0, nullptr};
  GetWindowThreadProcessId(window, &search.processId);
  const bool shown = WaitFor(
      [&] {
        EnumWindows(TakeBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  if (!shown) return 1;
  wchar_t text[1024] = {};
  GetDlgItemTextW(search.found, 0xFFFF, text, 1024);
  Print(TextOf(search.found));
  Print(Escaped(text));
  EnumChildWindows(search.found, PrintButton, 0);
  return 0;
}

BOOL CALLBACK CollectTrayIcon(HWND child, LPARAM context) {
  if (ClassOf(child) == L"__winex11_tray_icon" && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
  }
  return TRUE;
}

// Wine's stand-in for a notification area: one child window per icon.
std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
  if (tray != nullptr && IsWindowVisible(tray)) EnumChildWindows(tray, CollectTrayIcon, reinterpret_cast<LPARAM>(&icons));
  return icons;
}

int Tray(int argc, wchar_t** argv) {
  std::vector<HWND> icons = TrayIcons();
  if (argc > 2) {
    const size_t wanted = std::wcstoul(argv[2], nullptr, 10);
    if (!WaitFor([&] { return (icons = TrayIcons()).size() == wanted; }, ParseTimeout(argc, argv, 3))) return 1;
  }
  Print(L"icons " + std::to_wstring(icons.size()));
  for (HWND icon : icons) {
    RECT rect{};
    GetWindowRect(icon, &rect);
    Print(L"icon " + Centre(rect));
  }
  return 0;
}

int Value(const std::wstring& key, const std::wstring& name) {
  wchar_t text[2048] = {};
  DWORD size = sizeof text - sizeof(wchar_t);  // room for the terminating NUL a value may lack
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return 1;
  }
  Print(text);
  return 0;
}

int Usage() {
  Print(L"usage: desktop_probe window|point|text|checked|notice|tray|value ... (see the source)");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  if (command == L"tray") return Tray(argc, argv);
  if (command == L"value") return argc > 3 ? Value(argv[2], argv[3]) : Usage();
  if (argc < 3) return Usage();
  const std::wstring title = argv[2];
  if (command == L"window") return Window(title, argc > 3 ? argv[3] : L"any", ParseTimeout(argc, argv, 4));

  const HWND window = FindWindowW(nullptr, title.c_str());
  if (window == nullptr) return 1;
  if (command == L"notice") return Notice(window, ParseTimeout(argc, argv, 3));
  if (argc < 4) return Usage();
  if (command == L"point") return Point(window, argv[3]);
  const HWND child = GetDlgItem(window, static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
  if (child == nullptr) return 1;
  if (command == L"text") {
    Print(TextOf(child));
    return 0;
  }
  if (command == L"checked") {
    DWORD_PTR state = BST_UNCHECKED;
    SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    Print(state == BST_CHECKED ? L"1" : L"0");
    return 0;
  }
  return Usage();
}
