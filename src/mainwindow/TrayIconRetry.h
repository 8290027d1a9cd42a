// Asks the shell again for a form's notification-area icon that it refused: at log-on the shell can
// still be starting, and a program that runs hidden without its icon cannot be reached at all. The
// form's adapter also asks again whenever the shell announces "TaskbarCreated".
#pragma once

#include "winframework/WinForm.h"

#include <windows.h>

#include <cstdint>

class TrayIconRetry {
 public:
  static constexpr uint32_t kIntervalMs = 2000;
  static constexpr uint32_t kLimitMs = 120000;

  explicit TrayIconRetry(uint32_t intervalMs = kIntervalMs, uint32_t limitMs = kLimitMs);
  ~TrayIconRetry();
  TrayIconRetry(const TrayIconRetry&) = delete;
  TrayIconRetry& operator=(const TrayIconRetry&) = delete;

  // While form's registered icon is missing, asks for it every interval until the shell takes it,
  // the form no longer wants an icon or has no window, or the limit has passed since this call.
  // Nothing when the icon is there. A retry already running starts over.
  void Start(CVolWinForm& form);
  void Stop();
  bool Running() const { return window_ != nullptr; }

 private:
  static void CALLBACK OnTimer(HWND window, UINT message, UINT_PTR id, DWORD time);
  void Tick();

  uint32_t intervalMs_;
  uint32_t limitMs_;
  CVolWinForm* form_ = nullptr;
  HWND window_ = nullptr;  // the form's window, which carries the timer, while running
  DWORD startTick_ = 0;
};
