// key_target.exe started by a test: a window of another process that reports every middle-button
// and key message it receives, and real middle clicks over it.
#pragma once

#include "support/HostProcess.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

struct MiddleClickSeen {
  bool clickArrived = false;      // "mbutton down" and "mbutton up" both came
  std::vector<std::string> keys;  // the key lines ("keydown 32", "keyup 17", ...) in order
};

class KeyTarget {
 public:
  // Starts the target (from the test's own directory) and waits for its window; false on failure.
  bool Start();
  HWND Window() const { return window_; }
  // Where the middle clicks go, in screen coordinates: the target's lower right, clear of the
  // program's centred form and of the boxes over it.
  POINT ClickPoint() const;
  // Makes the target the foreground window (injected keys go there, not to the window under the
  // pointer), sends one real middle click over it and answers what the target received for it.
  MiddleClickSeen MiddleClick();

 private:
  std::unique_ptr<HostProcess> process_;
  HWND window_ = nullptr;
  size_t seen_ = 0;  // output already handed out
};

}  // namespace e2e
