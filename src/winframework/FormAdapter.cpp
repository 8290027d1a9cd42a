#include "winframework/FormAdapter.h"

#include "platform/PlatformApp.h"
#include "winframework/DpiScaling.h"
#include "winframework/EnvelopeDialog.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/KeyboardNavigation.h"
#include "winframework/MinMaxInfo.h"
#include "winframework/WinCreateInfo.h"

#include <cwchar>
#include <string>

namespace {

// The style bits the border rules own: caption (border and dialog frame), system menu, both boxes.
constexpr DWORD kBorderMask = 0x00CB0000;
// A frame change without moving, sizing, reordering or activating the window.
constexpr UINT kFrameUpdate = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], length + 1)));
  return text;
}

bool IsVisibleAndEnabled(HWND window) { return IsWindowVisible(window) != FALSE && IsWindowEnabled(window) != FALSE; }

// Depth first, descending only into visible and enabled windows.
HWND FindChildWithId(HWND parent, int id) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (IsVisibleAndEnabled(child)) {
      const HWND found = FindChildWithId(child, id);
      if (found != nullptr) return found;
    }
  }
  return nullptr;
}

bool ClassNameIs(HWND window, const wchar_t* name) {
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  return _wcsicmp(className, name) == 0;
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// Clears a flag on every way out of a scope.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

int32_t TrayNotifyKindOf(LPARAM mouseMessage) {
  // The whole lParam: a value that only ends in a mouse message is not one.
  switch (mouseMessage) {
    case WM_LBUTTONUP: return kTrayLeftButtonUp;
    case WM_LBUTTONDBLCLK: return kTrayLeftDoubleClick;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: return kTrayRightButtonUp;
    default: return 0;
  }
}

DWORD WantedBorderBits(int64_t borderStyle, bool controlBox, bool maxButton, bool minButton, const wchar_t* title) {
  if (borderStyle == 0) return 0;
  DWORD wanted = WS_DLGFRAME;
  if (controlBox) {
    wanted |= WS_CAPTION | WS_SYSMENU;
  } else if (title != nullptr && title[0] != 0 && std::wcscmp(title, kApplicationName) != 0) {
    wanted |= WS_CAPTION;
  }
  if (maxButton) wanted |= WS_MAXIMIZEBOX;
  if (minButton) wanted |= WS_MINIMIZEBOX;
  return wanted;
}

int RoundedCornerDiameter(int width, int height) {
  const int byWidth = width / 5;
  const int byHeight = height / 5;
  return byWidth < byHeight ? byWidth : byHeight;
}

CVWnd_WinForm::CVWnd_WinForm() = default;

CVWnd_WinForm::~CVWnd_WinForm() = default;

void CVWnd_WinForm::SetListener(IContainerEventListener* listener) {
  formListener_ = nullptr;
  CVWnd_Container::SetListener(listener);
}

void CVWnd_WinForm::SetFormListener(IWinFormEventListener* listener) {
  CVWnd_Container::SetListener(listener);
  formListener_ = listener;
}

bool CVWnd_WinForm::SetTrayIcon(HICON trayIcon, const wchar_t* tip) { return trayIcon_.Set(Handle(), trayIcon, tip); }

HWND CVWnd_WinForm::FrameWindow() const {
  if (host != nullptr && host->Handle() != nullptr) return host->Handle();
  return Handle();
}

void CVWnd_WinForm::ApplyWindowIcons(UINT dpi) {
  const HWND frame = FrameWindow();
  if (frame == nullptr) return;
  if (icon != nullptr && icon != defaultBigIcon_.Get()) {
    SendMessageW(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    return;
  }
  // The window takes the new icons before the old ones are destroyed.
  const HINSTANCE module = PlatformApp::CurrentInstanceHandle();
  const HICON smallIcon = LoadIconForDpi(module, kFormIconResourceId, true, dpi);
  const HICON bigIcon = LoadIconForDpi(module, kFormIconResourceId, false, dpi);
  SendMessageW(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  SendMessageW(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  icon = bigIcon;
  defaultSmallIcon_.Reset(smallIcon);
  defaultBigIcon_.Reset(bigIcon);
}

void CVWnd_WinForm::DetachMenuFrom(HWND window) const {
  const CVolMenu* owned = MenuOf(menu);
  if (window == nullptr || owned == nullptr || owned->Menu() == nullptr) return;
  // A child window's "menu" is its id.
  if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0) return;
  if (GetMenu(window) == owned->Menu()) SetMenu(window, nullptr);
}

void CVWnd_WinForm::ApplyBorderRules() {
  const HWND window = Handle();
  // A hosted form is a plain child inside its host, whose frame is the form's: a caption of its own
  // would be a second title bar under the host's.
  if (window == nullptr || host != nullptr) return;
  const std::wstring title = WindowText(window);
  const DWORD wanted = WantedBorderBits(borderStyle, controlBox, maxButton, minButton, title.c_str());
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  if ((style & kBorderMask) == wanted) return;
  SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>((style & ~kBorderMask) | wanted));
  SetWindowPos(window, nullptr, 0, 0, 0, 0, kFrameUpdate);
}

void CVWnd_WinForm::ApplyWindowShape() {
  const HWND window = Handle();
  if (window == nullptr) return;
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  HRGN region = nullptr;
  if (windowShape == 1) {
    region = CreateEllipticRgn(0, 0, width, height);
  } else if (windowShape == 2) {
    const int diameter = RoundedCornerDiameter(width, height);
    region = CreateRoundRectRgn(0, 0, width, height, diameter, diameter);
  } else {
    // Removing a region that is not there would still redraw the frame on every size change.
    RECT box{};
    if (GetWindowRgnBox(window, &box) == ERROR) return;
  }
  // The window owns the region from here on.
  if (SetWindowRgn(window, region, TRUE) == 0 && region != nullptr) DeleteObject(region);
}

bool CVWnd_WinForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CLOSE: result = OnClose(); return true;
    case WM_QUERYENDSESSION: result = OnQueryEndSession(); return true;
    case WM_DESTROY: result = OnDestroy(); return true;
    case WM_SHOWWINDOW: result = OnShowWindow(wParam, lParam); return true;
    case WM_SETTEXT: result = OnSetText(lParam); return true;
    case WM_ACTIVATE: result = OnActivate(wParam); return true;
    case WM_SIZE: result = OnSize(); return true;
    case WM_NCACTIVATE: result = OnNcActivate(wParam); return true;
    case WM_MENUSELECT: result = OnMenuSelect(wParam, lParam); return true;
    case WM_GETMINMAXINFO: result = OnGetMinMaxInfo(lParam); return true;
    case WM_VOL_TRAYNOTIFY: result = OnTrayNotify(lParam); return true;
    case DM_GETDEFID: result = OnGetDefId(); return true;
    case WM_VOL_PRETRANSLATE: result = OnPreTranslateRequest(wParam, lParam); return true;
    default: break;
  }
  if (message == TaskbarCreatedMessage() && message != 0) {
    // The shell's notification area was rebuilt and every icon is gone.
    trayIcon_.AddAgain(Handle());
    result = Default();
    return true;
  }
  return CVWnd_Container::OnMessage(message, wParam, lParam, result);
}

bool CVWnd_WinForm::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) return Listener() != nullptr && Listener()->OnCommand(LOWORD(wParam)) != 0;
  if (enterPressed) {
    // Enter presses only the default push button; every other button's command is dropped.
    const auto control = reinterpret_cast<HWND>(lParam);
    if (ClassNameIs(control, L"BUTTON") && (GetWindowLongPtrW(control, GWL_STYLE) & 0xF) != BS_DEFPUSHBUTTON) {
      return true;
    }
  }
  return CVWnd_Container::OnCommand(wParam, lParam);
}

LRESULT CVWnd_WinForm::OnClose() {
  if (host != nullptr) {
    // A hosted form lets its host decide.
    SendMessageW(host->Handle(), WM_CLOSE, 0, 0);
    return 0;
  }
  const HWND window = Handle();
  if (formListener_ != nullptr) {
    if (formListener_->OnCloseRequest() == 0 || !IsWindow(window)) return 0;
    if (formListener_->OnQueryClose() == 0 || !IsWindow(window)) return 0;
  }
  return Default();
}

LRESULT CVWnd_WinForm::OnQueryEndSession() {
  if (Default() == 0) return 0;
  if (host != nullptr || formListener_ == nullptr) return TRUE;
  return formListener_->OnQueryClose();
}

LRESULT CVWnd_WinForm::OnDestroy() {
  const HWND window = Handle();
  DetachMenuFrom(window);
  trayIcon_.Remove(window);
  activatedOnce = false;
  enterPressed = false;
  if (helpShown) {
    WinHelpW(window, nullptr, HELP_QUIT, 0);
    helpShown = false;
  }
  if (host != nullptr && host->Handle() != nullptr) {
    PostMessageW(host->Handle(), WM_VOL_HOSTNOTIFY, kHostFormDestroyed, 0);
  }
  if (Listener() != nullptr) Listener()->OnDestroyed();
  DestroyTooltip();
  return Default();
}

LRESULT CVWnd_WinForm::OnShowWindow(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default();
  if (host != nullptr && lParam == 0) SendMessageW(host->Handle(), WM_VOL_HOSTNOTIFY, kHostShow, wParam != 0);
  if (Listener() != nullptr) Listener()->OnShowChanged(wParam != 0);
  return result;
}

LRESULT CVWnd_WinForm::OnSetText(LPARAM lParam) {
  if (host != nullptr) {
    SendMessageW(host->Handle(), WM_VOL_HOSTNOTIFY, kHostSetText, lParam);
  } else {
    ApplyBorderRules();  // still sees the previous title
  }
  return Default();
}

LRESULT CVWnd_WinForm::OnActivate(WPARAM wParam) {
  const LRESULT result = Default();
  if (formListener_ == nullptr || inActivation) return result;
  const FlagScope activation(inActivation);
  if (LOWORD(wParam) == WA_INACTIVE) {
    formListener_->OnDeactivated();
    return result;
  }
  if (!activatedOnce) {
    activatedOnce = true;
    const HWND window = Handle();
    formListener_->OnFirstActivate();
    if (!IsWindow(window)) return result;
  }
  formListener_->OnActivated();
  return result;
}

LRESULT CVWnd_WinForm::OnSize() {
  const LRESULT result = Default();
  if (Listener() != nullptr) Listener()->OnSized();
  ApplyWindowShape();
  return result;
}

LRESULT CVWnd_WinForm::OnNcActivate(WPARAM wParam) {
  if (wParam == FALSE && host == nullptr && keepCaptionActive && IsWindowEnabled(Handle()) != FALSE) {
    // The caption is drawn active as long as the form can be used.
    return CallPrevious(WM_NCACTIVATE, TRUE, 0);
  }
  return Default();
}

LRESULT CVWnd_WinForm::OnMenuSelect(WPARAM wParam, LPARAM) {
  if (formListener_ == nullptr) return Default();
  const UINT flags = HIWORD(wParam);
  int32_t item = LOWORD(wParam);
  if (flags == 0xFFFF || (flags & (MF_POPUP | MF_SYSMENU)) != 0) item = 0;
  return formListener_->OnMenuSelect(item);
}

LRESULT CVWnd_WinForm::OnGetMinMaxInfo(LPARAM lParam) {
  const LRESULT result = Default();
  auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
  if (host != nullptr || limits == nullptr) return result;
  limits->ptMinTrackSize.x = 1;
  limits->ptMinTrackSize.y = 1;
  if (formListener_ != nullptr) {
    CVolMinMaxInfo info(*limits);
    if (formListener_->OnMinMaxInfo(info) != 0) info.CopyTo(*limits);
  }
  return 0;
}

LRESULT CVWnd_WinForm::OnTrayNotify(LPARAM lParam) {
  const int32_t kind = TrayNotifyKindOf(lParam);
  if (kind != 0 && formListener_ != nullptr) formListener_->OnTrayNotify(kind);
  return 0;
}

LRESULT CVWnd_WinForm::OnGetDefId() {
  const HWND window = Handle();
  if (defaultButtonId != 0 && IsVisibleAndEnabled(window) && FindChildWithId(window, defaultButtonId) != nullptr) {
    return static_cast<LRESULT>(MAKELONG(defaultButtonId, DC_HASDEFID));
  }
  return Default();
}

LRESULT CVWnd_WinForm::OnPreTranslateRequest(WPARAM wParam, LPARAM lParam) {
  if (lParam != FrameworkWindowMark || wParam == 0) return 0;
  return RunFormFilter(*this, *reinterpret_cast<MSG*>(wParam)) ? FrameworkWindowMark : 0;
}
