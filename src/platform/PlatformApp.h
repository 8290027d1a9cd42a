// The application object: instance handle, main window, and the message loop with its two hooks,
// a pre-translate step for every retrieved message before dispatch and an idle step while the queue
// is empty. There is at most one at a time; constructing one makes it the current application.
#pragma once

#include <windows.h>

class PlatformWindow;

class PlatformApp {
 public:
  PlatformApp();
  virtual ~PlatformApp();
  PlatformApp(const PlatformApp&) = delete;
  PlatformApp& operator=(const PlatformApp&) = delete;

  static PlatformApp* Current();
  // The current application's instance handle, else the executable's module.
  static HINSTANCE CurrentInstanceHandle();
  // Called by the window layer when a window's object is unbound: the end of the main window ends
  // the message loop.
  static void OnWindowGone(PlatformWindow* window);

  HINSTANCE InstanceHandle() const { return instance_; }
  PlatformWindow* MainWindow() const { return mainWindow_; }
  void SetMainWindow(PlatformWindow* window) { mainWindow_ = window; }
  // The message retrieved last (its wParam is the exit code after WM_QUIT).
  const MSG& CurrentMessage() const { return current_; }

  // The entry sequence: the instance handle, InitInstance, the message loop when InitInstance
  // answered true, and ExitInstance either way. Answers the process exit code.
  int Start(HINSTANCE instance);

  // True to run the message loop.
  virtual bool InitInstance();
  // The exit code: the wParam of the last message retrieved (0 after a normal close).
  virtual int ExitInstance();
  // True when the message has been handled and must not be dispatched. The base offers the message
  // to the bound windows from its target upward.
  virtual bool PreTranslateMessage(MSG& message);
  // True to be called again while the queue stays empty. The base has idle work only for count 0.
  virtual bool OnIdle(long count);

  // Retrieves and handles messages until WM_QUIT; answers ExitInstance().
  int Run();
  // Retrieves one message and pre-translates and dispatches it; false on WM_QUIT. An exception kept
  // by a window procedure is thrown from here.
  bool PumpMessage();

 private:
  HINSTANCE instance_ = nullptr;
  PlatformWindow* mainWindow_ = nullptr;
  MSG current_{};
};

// The current application's pre-translation, or the window walk when there is no application.
bool PreTranslateWithApplication(MSG& message);
