// Shared by the tests that make real windows: pumping the queue, and a fixture that proves no
// window stays bound to an object after a test.
#pragma once

#include "platform/PlatformWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

// Dispatches every message waiting for this thread (and those they post in turn), through the
// window chain's pre-translation when given one.
inline void PumpMessages(bool (*preTranslate)(MSG&) = nullptr) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (preTranslate != nullptr && preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps until done() or timeoutMs passed; answers done().
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs = 5000, bool (*preTranslate)(MSG&) = nullptr) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpMessages(preTranslate);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Pumps (through preTranslate) until a message for which released(msg) holds has come and no more
// keyboard or mouse input for 150 ms, or timeoutMs passed; true when released came. For real input,
// which arrives when the machine gets to it.
template <typename Released>
bool PumpUntilInputReleased(Released released, DWORD timeoutMs = 5000, bool (*preTranslate)(MSG&) = nullptr) {
  const DWORD start = GetTickCount();
  DWORD lastInput = start;
  bool done = false;
  while (GetTickCount() - start < timeoutMs && !(done && GetTickCount() - lastInput > 150)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
          (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)) {
        lastInput = GetTickCount();
        done = done || released(msg);
      }
      if (preTranslate != nullptr && preTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done;
}

class WindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    PumpMessages();
    EXPECT_EQ(PlatformWindow::BoundCount(), 0) << "a window is still bound to an object after the test";
  }
};
