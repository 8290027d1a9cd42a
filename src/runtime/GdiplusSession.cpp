#include "runtime/GdiplusSession.h"

#include "runtime/GdiplusApi.h"

namespace {

class LockGuard {
public:
  explicit LockGuard(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
  ~LockGuard() { LeaveCriticalSection(&lock_); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

private:
  CRITICAL_SECTION& lock_;
};

}  // namespace

GdiplusSession::GdiplusSession() { InitializeCriticalSection(&gdiplusLock); }

GdiplusSession::~GdiplusSession() {
  Shutdown();
  DeleteCriticalSection(&gdiplusLock);
}

bool GdiplusSession::EnsureStarted() {
  LockGuard guard(gdiplusLock);
  if (gdiplusToken != 0) return true;
  // Version 1, no debug callback, GDI+ may run its background thread.
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok || token == 0) return false;
  gdiplusToken = token;
  return true;
}

void GdiplusSession::Shutdown() {
  LockGuard guard(gdiplusLock);
  if (gdiplusToken == 0) return;
  Gdiplus::GdiplusShutdown(gdiplusToken);
  gdiplusToken = 0;
}

ULONG_PTR GdiplusSession::Token() {
  LockGuard guard(gdiplusLock);
  return gdiplusToken;
}
