#include "winframework/EnvelopeDialog.h"

#include "platform/PlatformApp.h"
#include "winframework/FormAdapter.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/KeyNormalization.h"
#include "winframework/MinMaxInfo.h"
#include "winframework/WinCreateInfo.h"
#include "winframework/WinForm.h"

#include <cstring>

namespace {

constexpr DWORD kFixedDialogStyle = 0x92C80880;  // pop-up, visible, caption, system menu, centred, modal frame
constexpr DWORD kFormBitsKept = 0x2DFFF7FF;      // drops WS_CHILD among others
constexpr DWORD kHostBits = 0x92000800;          // pop-up, visible, clip children, centred
constexpr int kHostedFormId = 0xFFFF;

bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

}  // namespace

SIZE CVolEnvelopeDialog::HostedClientSize(const CVolWinCreateInfo& info) {
  // The frame of the form's own style, measured on a sample rectangle.
  RECT sample{0, 0, 100, 100};
  const CVolMenu* menu = MenuOf(info.menu);
  const BOOL hasMenu = info.parentWindow == nullptr && menu != nullptr && menu->Menu() != nullptr;
  if (AdjustWindowRectEx(&sample, info.style, hasMenu, info.exStyle) == FALSE) sample = RECT{0, 0, 100, 100};
  const int frameWidth = (sample.right - sample.left) - 100;
  const int frameHeight = (sample.bottom - sample.top) - 100;
  const int width = info.width > frameWidth ? info.width - frameWidth : 0;
  const int height = info.height > frameHeight ? info.height - frameHeight : 0;
  return SIZE{width, height};
}

CVolEnvelopeDialog::CVolEnvelopeDialog(CVolWinForm& form, CVolWinCreateInfo& info) : form_(form), info_(info) {}

DWORD CVolEnvelopeDialog::TemplateStyle(DWORD formStyle, bool fixedDialogFrame) {
  if (fixedDialogFrame) return kFixedDialogStyle;
  DWORD style = (formStyle & kFormBitsKept) | kHostBits;
  if ((style & WS_THICKFRAME) == 0) style |= DS_MODALFRAME;
  return style;
}

HWND CVolEnvelopeDialog::FormWindow() const { return form_.Handle(); }

HWND CVolEnvelopeDialog::Owner() const {
  if (info_.parentWindow != nullptr && info_.parentWindow->Handle() != nullptr) return info_.parentWindow->Handle();
  const HWND active = GetActiveWindow();
  if (active != nullptr && IsOwnWindow(active)) return active;
  const PlatformApp* app = PlatformApp::Current();
  if (app != nullptr && app->MainWindow() != nullptr && app->MainWindow()->Handle() != nullptr) {
    return app->MainWindow()->Handle();
  }
  return GetDesktopWindow();
}

INT_PTR CVolEnvelopeDialog::Run() {
  CVWnd_WinForm& adapter = *form_.FormAdapter();
  const bool fixed = info_.fixedDialogFrame != 0;
  style_ = TemplateStyle(info_.style, fixed);
  const DWORD exStyle = fixed ? 0 : info_.exStyle;
  if (fixed) {
    adapter.borderStyle = 2;
    adapter.controlBox = true;
    adapter.maxButton = false;
    adapter.minButton = false;
  }

  // DLGTEMPLATE (18 bytes), then menu, class and title as three zero words.
  template_.assign(8, 0);
  DLGTEMPLATE header{};
  header.style = style_;
  header.dwExtendedStyle = exStyle;
  std::memcpy(template_.data(), &header, sizeof header);

  PlatformApp* app = PlatformApp::Current();
  if (app != nullptr && app->MainWindow() == nullptr) {
    app->SetMainWindow(this);
    isMainWindow_ = true;
  }
  struct MainWindowScope {
    CVolEnvelopeDialog& host;
    PlatformApp* app;
    ~MainWindowScope() {
      if (host.isMainWindow_ && app != nullptr && app->MainWindow() == &host) app->SetMainWindow(nullptr);
      host.isMainWindow_ = false;
    }
  } scope{*this, app};

  const INT_PTR result = RunModal(reinterpret_cast<const DLGTEMPLATE*>(template_.data()), Owner());
  adapter.host = nullptr;
  return result;
}

BOOL CVolEnvelopeDialog::OnInitDialog() {
  CVWnd_WinForm& adapter = *form_.FormAdapter();
  const HWND host = Handle();
  adapter.host = this;

  adapter.menu.SetRef(info_.menu.GetRef());
  const CVolMenu* menu = MenuOf(adapter.menu);
  if (menu != nullptr) SetMenu(host, menu->Menu());

  // The form's rectangle is the outer size of a window with the form's own frame; the host's client
  // area gets what lies inside that frame, and the host's frame goes around it.
  const SIZE inner = HostedClientSize(info_);
  RECT frame{0, 0, inner.cx, inner.cy};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(host, GWL_STYLE)), menu != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(host, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(Owner(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  SetWindowPos(host, nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, width,
               height, SWP_NOZORDER | SWP_NOACTIVATE);

  if ((style_ & WS_BORDER) == 0 && (GetWindowLongPtrW(host, GWL_STYLE) & WS_BORDER) != 0) {
    SetWindowLongPtrW(host, GWL_STYLE, GetWindowLongPtrW(host, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER));
    SetWindowPos(host, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  SetWindowTextW(host, info_.text.GetText());

  RECT client{};
  GetClientRect(host, &client);
  CVolWinCreateInfo hosted;
  hosted.AssignFrom(info_);
  hosted.parentWindow = this;
  hosted.style = WS_CHILD | WS_VISIBLE;
  hosted.exStyle = WS_EX_CONTROLPARENT;
  hosted.left = 0;
  hosted.top = 0;
  hosted.width = client.right;
  hosted.height = client.bottom;
  hosted.controlId = kHostedFormId;
  if (form_.CreateModelessWindow(hosted) == 0) {
    EndDialog(-1);
    return FALSE;
  }
  if (adapter.defaultButtonId != 0) SendMessageW(host, DM_SETDEFID, static_cast<WPARAM>(adapter.defaultButtonId), 0);
  SetFocus(FormWindow());
  form_.OnDialogInit();
  return FALSE;  // the focus is set
}

bool CVolEnvelopeDialog::PreTranslateMessage(MSG& message) {
  form_.FormAdapter()->RelayToTooltip(message);
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
      NormalizeKeyCode(message.wParam) == VK_RETURN) {
    return false;
  }
  return PlatformDialog::PreTranslateMessage(message);
}

bool CVolEnvelopeDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0) return PlatformDialog::OnCommand(wParam, lParam);
  // The dialog processing's Esc ends the run as the form's own Esc does; other commands are the form's.
  if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(-1);
    return true;
  }
  if (FormWindow() != nullptr) SendMessageW(FormWindow(), WM_COMMAND, wParam, 0);
  return true;
}

void CVolEnvelopeDialog::OnHostNotify(WPARAM code, LPARAM value) {
  switch (code) {
    case kHostFormDestroyed:
      if (!beingDestroyed_) EndDialog(-1);
      break;
    case kHostShow: ShowWindow(Handle(), value != 0 ? SW_SHOW : SW_HIDE); break;
    case kHostEnd: EndDialog(static_cast<INT_PTR>(value)); break;
    case kHostSetText: SetWindowTextW(Handle(), reinterpret_cast<const wchar_t*>(value)); break;
    default: break;
  }
}

void CVolEnvelopeDialog::PaintMinimised() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(Handle(), &paint);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  DrawIcon(dc, (client.right - iconWidth + 1) / 2, (client.bottom - iconHeight + 1) / 2, form_.FormAdapter()->icon);
  EndPaint(Handle(), &paint);
}

bool CVolEnvelopeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  CVWnd_WinForm& adapter = *form_.FormAdapter();
  IWinFormEventListener* listener = adapter.FormListener();
  result = 0;
  switch (message) {
    case WM_VOL_HOSTNOTIFY: OnHostNotify(wParam, lParam); return true;
    case WM_CLOSE: {
      // The form's close protocol; when it allows, the form's window goes, and with it the run.
      const HWND form = FormWindow();
      if (listener != nullptr) {
        if (listener->OnCloseRequest() == 0 || !IsWindow(form)) return true;
        if (listener->OnQueryClose() == 0 || !IsWindow(form)) return true;
      }
      if (form != nullptr) ::DestroyWindow(form);
      else EndDialog(-1);
      return true;
    }
    case WM_QUERYENDSESSION: result = listener != nullptr ? listener->OnQueryClose() : TRUE; return true;
    case WM_SIZE:
      result = Default();
      if (FormWindow() != nullptr) MoveWindow(FormWindow(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return true;
    case WM_SETFOCUS:
      if (FormWindow() != nullptr) SetFocus(FormWindow());
      return true;
    case WM_NCACTIVATE:
      if (wParam == FALSE && adapter.keepCaptionActive && IsWindowEnabled(Handle()) != FALSE) {
        result = CallPrevious(WM_NCACTIVATE, TRUE, 0);
      } else {
        result = Default();
      }
      return true;
    case WM_MENUSELECT: {
      if (listener == nullptr) return false;
      const UINT flags = HIWORD(wParam);
      const int32_t item = flags == 0xFFFF || (flags & (MF_POPUP | MF_SYSMENU)) != 0 ? 0 : LOWORD(wParam);
      result = listener->OnMenuSelect(item);
      return true;
    }
    case WM_GETMINMAXINFO: {
      result = Default();
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      if (limits == nullptr) return true;
      limits->ptMinTrackSize = POINT{1, 1};
      if (listener != nullptr) {
        CVolMinMaxInfo info(*limits);
        if (listener->OnMinMaxInfo(info) != 0) info.CopyTo(*limits);
      }
      result = 0;
      return true;
    }
    case WM_PAINT:
      if (IsIconic(Handle()) == FALSE) return false;
      PaintMinimised();
      return true;
    case WM_QUERYDRAGICON: result = reinterpret_cast<LRESULT>(adapter.icon); return true;
    case WM_DESTROY: {
      beingDestroyed_ = true;
      adapter.DetachMenuFrom(Handle());
      PlatformApp* app = PlatformApp::Current();
      if (app != nullptr && app->MainWindow() == this) app->SetMainWindow(nullptr);
      isMainWindow_ = false;
      result = Default();
      return true;
    }
    default: return false;
  }
}
