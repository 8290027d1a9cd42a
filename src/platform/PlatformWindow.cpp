#include "platform/PlatformWindow.h"

#include "platform/PlatformApp.h"
#include "platform/WindowMap.h"

#include <exception>
#include <utility>

namespace {

// The one kept exception; windows live on one thread.
std::exception_ptr g_pendingException;

bool IsCtlColorMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

}  // namespace

PlatformWindow::~PlatformWindow() {
  autoDelete_ = false;  // the object is going already
  if (window_ != nullptr) ::DestroyWindow(window_);
  // A window that another thread owns cannot be destroyed from here; forget it.
  if (window_ != nullptr) WindowMap::Unbind(window_);
}

PlatformWindow* PlatformWindow::FromHandle(HWND window) { return WindowMap::Lookup(window); }

int PlatformWindow::BoundCount() { return WindowMap::BoundCount(); }

WNDPROC PlatformWindow::LayerProcedure() { return &LayerWindowProc; }

bool PlatformWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                              int y, int width, int height, HWND parent, HMENU menuOrId, void* param) {
  if (window_ != nullptr) return false;
  WindowMap::SetPending(this);
  const HWND created = CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menuOrId,
                                       PlatformApp::CurrentInstanceHandle(), param);
  // Cleared also when no message reached the layer (a class with another procedure, an early failure).
  WindowMap::TakePending();
  // A class whose procedure is not the layer's (a system class) made a window that nothing binds:
  // it would stay on the screen with no object to destroy it.
  if (created != nullptr && window_ != created) ::DestroyWindow(created);
  RethrowPendingException();
  return created != nullptr && window_ == created;
}

bool PlatformWindow::CreateSubclassedEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                                        int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
  if (window_ != nullptr) return false;
  const HWND created = CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, menuOrId,
                                       PlatformApp::CurrentInstanceHandle(), nullptr);
  if (created == nullptr) return false;
  return Subclass(created);
}

bool PlatformWindow::Subclass(HWND window) {
  if (window_ != nullptr || window == nullptr || WindowMap::Lookup(window) != nullptr) return false;
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LayerWindowProc)));
  if (previous == nullptr) return false;
  Attach(window, previous);
  return true;
}

void PlatformWindow::Attach(HWND window, WNDPROC previous) {
  window_ = window;
  previous_ = previous;
  WindowMap::Bind(window, this);
}

bool PlatformWindow::DestroyWindow() { return window_ != nullptr && ::DestroyWindow(window_) != FALSE; }

LRESULT PlatformWindow::Default() {
  if (current_ == nullptr) return 0;
  DispatchRecord& record = *current_;
  if (!record.defaultDone) {
    record.defaultDone = true;
    // A window destroyed meanwhile has no previous procedure to ask (and a new window of the object
    // is not the one the message came to).
    record.defaultResult =
        record.window == window_ ? CallPrevious(record.message, record.wParam, record.lParam) : 0;
  }
  return record.defaultResult;
}

LRESULT PlatformWindow::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
  if (window_ == nullptr) return 0;
  if (previous_ == nullptr) return DefWindowProcW(window_, message, wParam, lParam);
  return CallWindowProcW(previous_, window_, message, wParam, lParam);
}

bool PlatformWindow::PreTranslateMessage(MSG&) { return false; }

bool PlatformWindow::WalkPreTranslateTree(MSG& message) {
  for (HWND window = message.hwnd; window != nullptr; window = GetParent(window)) {
    PlatformWindow* object = FromHandle(window);
    if (object != nullptr && object->PreTranslateMessage(message)) return true;
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  return false;
}

void PlatformWindow::RethrowPendingException() {
  if (g_pendingException == nullptr) return;
  std::exception_ptr pending = std::exchange(g_pendingException, nullptr);
  std::rethrow_exception(pending);
}

void PlatformWindow::KeepCurrentException() {
  // The first one is the cause; later ones are usually its consequences.
  if (g_pendingException == nullptr) g_pendingException = std::current_exception();
}

LRESULT PlatformWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (current_ != nullptr && current_->message == message) {
    current_->wParam = wParam;
    current_->lParam = lParam;
  }
  if (message == WM_COMMAND) return OnCommand(wParam, lParam) ? 0 : Default();
  LRESULT result = 0;
  if (IsCtlColorMessage(message)) {
    PlatformWindow* child = FromHandle(reinterpret_cast<HWND>(lParam));
    if (child != nullptr && child != this && child->OnChildNotify(message, wParam, lParam, result)) return result;
  }
  if (OnMessage(message, wParam, lParam, result)) return result;
  return Default();
}

bool PlatformWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool PlatformWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0) return false;
  PlatformWindow* child = FromHandle(reinterpret_cast<HWND>(lParam));
  LRESULT ignored = 0;
  return child != nullptr && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, ignored);
}

bool PlatformWindow::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void PlatformWindow::PostNcDestroy() {
  if (autoDelete_) delete this;
}

LRESULT CALLBACK PlatformWindow::LayerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PlatformWindow* object = WindowMap::Lookup(window);
  if (object == nullptr) {
    object = WindowMap::TakePending();
    if (object == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    object->Attach(window, nullptr);
  }
  return object->Dispatch(message, wParam, lParam);
}

LRESULT PlatformWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  DispatchRecord record{window_, message, wParam, lParam, false, 0};
  DispatchRecord* const outer = std::exchange(current_, &record);
  ++depth_;
  LRESULT result = 0;
  try {
    result = WindowProc(message, wParam, lParam);
  } catch (...) {
    KeepCurrentException();
    // A failed creation message makes the creation fail; the caller of the creation sees the exception.
    if (message == WM_NCCREATE) result = FALSE;
    else if (message == WM_CREATE) result = -1;
    else result = record.defaultDone ? record.defaultResult : 0;
  }
  current_ = outer;
  --depth_;
  if (message == WM_NCDESTROY && record.window == window_) UnbindAfterNcDestroy();
  if (windowGone_ && depth_ == 0) {
    windowGone_ = false;
    // A handler may have given the object a new window meanwhile; it stays until that one goes.
    if (window_ == nullptr) PostNcDestroy();  // may delete the object
  }
  return result;
}

void PlatformWindow::UnbindAfterNcDestroy() {
  const HWND window = window_;
  windowGone_ = true;
  if (previous_ != nullptr && IsWindow(window) &&
      GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&LayerWindowProc)) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  }
  WindowMap::Unbind(window);
  window_ = nullptr;
  previous_ = nullptr;
  PlatformApp::OnWindowGone(this);
}
