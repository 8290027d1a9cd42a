// The second yardstick of the program's footprint: the same product built the minimal way on the same
// platform pieces, in plain Win32 without the object runtime and the window framework. The program's
// manifest and icons, OLE and every common-control class initialised, one fixed form of the program's
// frame and client size with the key list (the catalogue's 75 names, the stored key's system name
// shown), "保存" and the Ctrl check box in the default font, keyboard navigation, the single-instance
// event, the low-level mouse hook that sends the stored key, the notification-area icon and the close
// question. It reads and writes the program's settings as the program does; its event and title are
// its own, so it never meets a copy of the program. Linked as the program is.
//   minimal_product.exe
// Starts hidden with its icon when a key is stored, else shown; ends when its form is closed with OK.
#include "bridge/KeyCatalogue.h"
#include "resources/ResourceIds.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kTitle[] = L"lanfhe minimal product";
constexpr wchar_t kEventName[] = L"lanfhe minimal product";
constexpr wchar_t kSettingsKey[] = L"Software\\lanfhe";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr UINT kTrayCallback = 0xA000;
constexpr int kComboId = 101;
constexpr int kSaveId = 102;
constexpr int kCheckId = 103;

HWND g_form = nullptr;
HWND g_combo = nullptr;
HWND g_check = nullptr;
HHOOK g_hook = nullptr;
bool g_ctrl = false;
bool g_iconShown = false;

std::wstring ReadSetting(const wchar_t* name, const wchar_t* fallback) {
  wchar_t text[64] = {};
  DWORD bytes = sizeof text - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) {
    return fallback;
  }
  return text;
}

void WriteSetting(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && message == WM_MBUTTONDOWN) {
    const BYTE key = static_cast<BYTE>(std::wcstol(ReadSetting(L"xrcode", L"32").c_str(), nullptr, 10));
    if (g_ctrl) keybd_event(VK_CONTROL, 0, 0, 0);
    keybd_event(key, 0, 0, 0);
    if (g_ctrl) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  }
  return CallNextHookEx(g_hook, code, message, data);
}

void SetIcon(bool shown) {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof record;
  record.hWnd = g_form;
  record.uID = 100;
  if (shown) {
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallback;
    record.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TRAY_ICON));
    lstrcpynW(record.szTip, L"岚枫禾无线按钮扩展", 128);
  }
  if (shown != g_iconShown) Shell_NotifyIconW(shown ? NIM_ADD : NIM_DELETE, &record);
  g_iconShown = shown;
}

void Save() {
  wchar_t text[64] = {};
  GetWindowTextW(g_combo, text, 64);
  int code = 0;
  for (int i = 0; i < kKeyCatalogueCount; ++i) {
    if (std::wcscmp(KeyCatalogue()[i].text, text) == 0) code = KeyCatalogue()[i].code;
  }
  WriteSetting(kSettingsKey, L"xrcode", std::to_wstring(code));
  WriteSetting(kSettingsKey, L"xrctrl", g_ctrl ? L"1" : L"0");
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  WriteSetting(kRunKey, L"an", L"\"" + std::wstring(path) + L"\"");
  MessageBoxW(g_form, L"保存成功", L"提示", MB_OK);
}

HWND MakeChild(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width, int height, int id,
               HFONT font) {
  const HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width, height,
                                     g_form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void MakeControls() {
  LOGFONTW look{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof look, &look);
  const HDC screen = GetDC(nullptr);
  look.lfHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  const HFONT font = CreateFontIndirectW(&look);

  g_combo = MakeChild(WC_COMBOBOXW, L"", CBS_DROPDOWN | WS_VSCROLL, 29, 14, 112, 160, kComboId, font);
  for (int i = 0; i < kKeyCatalogueCount; ++i) {
    SendMessageW(g_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KeyCatalogue()[i].text));
  }
  MakeChild(WC_BUTTONW, L"保存", BS_PUSHBUTTON, 157, 6, 88, 32, kSaveId, font);
  g_check = MakeChild(WC_BUTTONW, L"启用组合键(Ctrl+组合键)", BS_AUTOCHECKBOX, 29, 46, 184, 16, kCheckId, font);

  // The stored key by the system's name, as the program shows it.
  const UINT key = static_cast<UINT>(std::wcstol(ReadSetting(L"xrcode", L"32").c_str(), nullptr, 10));
  wchar_t name[64] = {};
  GetKeyNameTextW(static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16), name, 64);
  SetWindowTextW(g_combo, name);
  g_ctrl = std::wcstol(ReadSetting(L"xrctrl", L"17").c_str(), nullptr, 10) == 1;
  SendMessageW(g_check, BM_SETCHECK, g_ctrl ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kSaveId && HIWORD(wParam) == BN_CLICKED) Save();
      if (LOWORD(wParam) == kCheckId) g_ctrl = SendMessageW(g_check, BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (LOWORD(wParam) == IDCANCEL) PostMessageW(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      if (MessageBoxW(window, L"【确认】即退出\n【取消】最小化？", L"信息提示", MB_OKCANCEL) == IDOK) {
        SetIcon(false);
        DestroyWindow(window);
      } else {
        SetIcon(true);
        ShowWindow(window, SW_HIDE);
      }
      return 0;
    case kTrayCallback:
      if (lParam == WM_LBUTTONDBLCLK) {
        ShowWindow(window, SW_SHOW);
        SetIcon(false);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
  InitCommonControlsEx(&controls);

  WNDCLASSW formClass{};
  formClass.lpfnWndProc = FormProc;
  formClass.hInstance = instance;
  formClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_WINDOW_ICON));
  formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  formClass.lpszClassName = L"LanfheMinimalProduct";
  if (RegisterClassW(&formClass) == 0) return 1;

  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  RECT frame{0, 0, 256, 75};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  g_form = CreateWindowExW(WS_EX_CONTROLPARENT, formClass.lpszClassName, kTitle, style,
                           (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                           width, height, nullptr, nullptr, instance, nullptr);
  if (g_form == nullptr) return 1;
  MakeControls();

  const bool inTray = !ReadSetting(L"xrcode", L"").empty();
  if (!inTray) ShowWindow(g_form, SW_SHOWNORMAL);
  // One copy only; a second one ends before its icon and its hook.
  CreateEventW(nullptr, FALSE, FALSE, kEventName);
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  if (inTray) SetIcon(true);
  g_hook = SetWindowsHookExW(WH_MOUSE_LL, MouseHook, nullptr, 0);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(g_form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  OleUninitialize();
  return static_cast<int>(msg.wParam);
}
