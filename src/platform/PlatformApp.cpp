#include "platform/PlatformApp.h"

#include "platform/PlatformWindow.h"

namespace {

PlatformApp* g_current = nullptr;

}  // namespace

PlatformApp::PlatformApp() {
  g_current = this;
  instance_ = GetModuleHandleW(nullptr);
}

PlatformApp::~PlatformApp() {
  if (g_current == this) g_current = nullptr;
}

PlatformApp* PlatformApp::Current() { return g_current; }

HINSTANCE PlatformApp::CurrentInstanceHandle() {
  if (g_current != nullptr && g_current->instance_ != nullptr) return g_current->instance_;
  return GetModuleHandleW(nullptr);
}

void PlatformApp::OnWindowGone(PlatformWindow* window) {
  if (g_current == nullptr || g_current->mainWindow_ != window) return;
  g_current->mainWindow_ = nullptr;
  PostQuitMessage(0);
}

int PlatformApp::Start(HINSTANCE instance) {
  if (instance != nullptr) instance_ = instance;
  if (!InitInstance()) {
    if (mainWindow_ != nullptr) mainWindow_->DestroyWindow();
    return ExitInstance();
  }
  return Run();
}

bool PlatformApp::InitInstance() { return true; }

int PlatformApp::ExitInstance() { return static_cast<int>(current_.wParam); }

bool PlatformApp::PreTranslateMessage(MSG& message) { return PlatformWindow::WalkPreTranslateTree(message); }

bool PlatformApp::OnIdle(long count) { return count == 0; }

int PlatformApp::Run() {
  for (;;) {
    // The idle count starts again after every message.
    for (long idle = 0; PeekMessageW(&current_, nullptr, 0, 0, PM_NOREMOVE) == FALSE; ++idle) {
      if (!OnIdle(idle)) break;
    }
    if (!PumpMessage()) break;
  }
  return ExitInstance();
}

bool PlatformApp::PumpMessage() {
  const BOOL got = GetMessageW(&current_, nullptr, 0, 0);
  if (got == 0) return false;
  if (got == -1) return true;
  if (!PreTranslateMessage(current_)) {
    TranslateMessage(&current_);
    DispatchMessageW(&current_);
  }
  PlatformWindow::RethrowPendingException();
  return true;
}

bool PreTranslateWithApplication(MSG& message) {
  PlatformApp* app = PlatformApp::Current();
  return app != nullptr ? app->PreTranslateMessage(message) : PlatformWindow::WalkPreTranslateTree(message);
}
