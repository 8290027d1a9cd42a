// The application adapter: the platform's application object with the program's start-up, its
// pre-translation in front of every dispatch, its idle step and its exit.
#pragma once

#include "platform/PlatformApp.h"

#include <cstdint>

class CVolWindowedApp;

// The start routine: 1 when the program started (it may still have no main window).
using StartRoutine = int32_t (*)();

// The base the platform library's application object is for the framework.
class CVolMfcAppBase : public PlatformApp {};

class CVolMFCApp : public CVolMfcAppBase {
 public:
  // startRoutine: the program's start routine (a test build of the shell gives its own).
  explicit CVolMFCApp(StartRoutine startRoutine);

  // Common controls, COM, the display scale, the application object from CBridgeApp's class
  // record, then the start routine under the top-level exception catcher. True to run the message
  // loop: the start routine answered nonzero and there is a main window.
  bool InitInstance() override;
  // The application object's look first (0 consumes), then the windows' own pre-translation, then
  // the framework's window chain.
  bool PreTranslateMessage(MSG& message) override;
  // The platform's idle work first; once it is done for this idle period, the application object's.
  bool OnIdle(long count) override;
  // The application object's exit, its deletion, the function table's libraries and GDI+; the exit
  // code is the wParam of the last message.
  int ExitInstance() override;

  CVolWindowedApp* WindowedApp() const { return windowedApp_; }
  void SetWindowedApp(CVolWindowedApp* app) { windowedApp_ = app; }

 private:
  StartRoutine startRoutine_;
  CVolWindowedApp* windowedApp_ = nullptr;
  bool oleInitialized_ = false;
};

// Calls start under the top-level exception catcher (directly when a debugger is attached, so that
// exceptions reach it). An exception that escapes is shown under "运行时异常" and the process ends
// with exit code -1.
int32_t RunGuardedStart(StartRoutine start);
