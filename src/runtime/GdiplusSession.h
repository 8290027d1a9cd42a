// GDI+ started on demand, at most once, and shut down with its owner.
#pragma once

#include <windows.h>

// The lock and the start-up token of GDI+. The first image decode starts GDI+ under the lock; the
// owner (the application instance) shuts it down when torn down. Starting may happen on any thread.
class GdiplusSession {
public:
  GdiplusSession();
  ~GdiplusSession();  // shuts GDI+ down if it was started
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  // Starts GDI+ unless it runs already. False when the start fails; the next call tries again.
  bool EnsureStarted();
  // Shuts GDI+ down if it was started; a later EnsureStarted starts it again.
  void Shutdown();
  // The start-up token, 0 while GDI+ is not started.
  ULONG_PTR Token();

private:
  CRITICAL_SECTION gdiplusLock;
  ULONG_PTR gdiplusToken = 0;
};
