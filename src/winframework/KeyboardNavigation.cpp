#include "winframework/KeyboardNavigation.h"

#include "platform/PlatformApp.h"
#include "winframework/EnvelopeDialog.h"
#include "winframework/FormAdapter.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/KeyNormalization.h"
#include "winframework/WinCreateInfo.h"

#include <cwchar>
#include <string>

namespace {

constexpr int32_t kEsc = VK_ESCAPE;
constexpr int32_t kEnter = VK_RETURN;
constexpr int32_t kTab = VK_TAB;
constexpr int32_t kShiftTab = VK_TAB + kModifierShift;
constexpr int32_t kF1 = VK_F1;

bool IsEditWindow(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  return _wcsicmp(className, L"Edit") == 0;
}

bool IsEditKey(int32_t code) {
  return code == kModifierCtrl + 'A' || code == kModifierCtrl + 'C' || code == kModifierCtrl + 'V' ||
         code == kModifierCtrl + 'X';
}

bool IsAbsolutePath(const wchar_t* path) {
  return path[0] == L'\\' || (path[0] != 0 && path[1] == L':' && path[2] == L'\\');
}

bool OpenHelp(CVWnd_WinForm& form) {
  if (form.helpFile.IsEmpty()) return false;
  wchar_t path[MAX_PATH * 2] = {};
  ResolveHelpPath(form.helpFile.GetText(), path, MAX_PATH * 2);
  if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return false;
  form.helpShown = true;
  if (form.helpContext != 0) {
    WinHelpW(form.Handle(), path, HELP_CONTEXT, static_cast<ULONG_PTR>(form.helpContext));
  } else {
    WinHelpW(form.Handle(), path, HELP_FINDER, 0);
  }
  return true;
}

}  // namespace

bool IsPreTranslatedMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= 0x20E);
}

bool PreTranslateWindowChain(MSG& msg) {
  if (!IsPreTranslatedMessage(msg.message)) return false;
  for (HWND window = msg.hwnd; window != nullptr; window = GetParent(window)) {
    if (GetWindowLongPtrW(window, GWLP_USERDATA) == FrameworkWindowMark &&
        SendMessageW(window, WM_VOL_PRETRANSLATE, reinterpret_cast<WPARAM>(&msg), FrameworkWindowMark) ==
            FrameworkWindowMark) {
      return true;
    }
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) return false;
  }
  return false;
}

void ResolveHelpPath(const wchar_t* helpFile, wchar_t* path, size_t units) {
  if (units == 0) return;
  path[0] = 0;
  if (helpFile == nullptr) return;
  std::wstring resolved = helpFile;
  if (!IsAbsolutePath(helpFile)) {
    wchar_t module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(PlatformApp::CurrentInstanceHandle(), module, MAX_PATH);
    std::wstring directory(module, length < MAX_PATH ? length : 0);
    const size_t slash = directory.find_last_of(L'\\');
    directory = slash != std::wstring::npos ? directory.substr(0, slash + 1) : std::wstring();
    resolved = directory + resolved;
  }
  wcsncpy_s(path, units, resolved.c_str(), _TRUNCATE);
}

bool RunFormFilter(CVWnd_WinForm& form, MSG& msg) {
  const HWND formWindow = form.Handle();
  if (form.FormListener() != nullptr) {
    if (form.FormListener()->OnPreTranslate(msg) == 0 || !IsWindow(formWindow)) return true;
  }
  form.RelayToTooltip(msg);

  int32_t code = 0;
  bool skipDialogProcessing = false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    code = NormalizeKeyCode(msg.wParam);
    if (code != 0) {
      if (IsWindowEnabled(msg.hwnd) == FALSE) return false;
      if (code == kEsc) {
        if (form.host != nullptr) {
          PostMessageW(form.host->Handle(), WM_VOL_HOSTNOTIFY, kHostEnd, -1);
          return true;
        }
        if (form.escCloses) {
          PostMessageW(formWindow, WM_CLOSE, 0, 0);
          return true;
        }
        skipDialogProcessing = true;  // Esc goes to the focused control
      }
    }
  }

  if (form.dragByClient && msg.message == WM_LBUTTONDOWN) {
    if (msg.hwnd == formWindow ||
        (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_STATIC) != 0) {
      PostMessageW(form.FrameWindow(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(msg.pt.x, msg.pt.y));
      return true;
    }
  }

  if (code != 0) {
    if (IsEditKey(code) && IsEditWindow(msg.hwnd)) return false;
    const CVolMenu* menu = MenuOf(form.menu);
    if (menu != nullptr && menu->Accelerators() != nullptr && msg.message >= WM_KEYFIRST &&
        msg.message <= WM_KEYLAST && TranslateAcceleratorW(formWindow, menu->Accelerators(), &msg) != 0) {
      return true;
    }
    if ((code == kTab || code == kShiftTab) && IsEditWindow(msg.hwnd)) {
      const HWND next = GetNextDlgTabItem(formWindow, msg.hwnd, code == kShiftTab);
      if (next != nullptr) {
        SetFocus(next);
        return true;
      }
    }
    if (code == kEnter && form.defaultButtonId == 0) skipDialogProcessing = true;
    if (code == kF1 && OpenHelp(form)) return true;
  }

  if (skipDialogProcessing) return false;
  form.enterPressed = code == kEnter;
  const bool handled = IsDialogMessageW(formWindow, &msg) != FALSE;
  // The default button's handler may have destroyed the form and let go of its adapter: as in the
  // first step, touch the form only while its window is still its own (its destruction cleared the
  // flag already).
  if (!IsWindow(formWindow) || PlatformWindow::FromHandle(formWindow) != &form) return true;
  form.enterPressed = false;
  return handled;
}
