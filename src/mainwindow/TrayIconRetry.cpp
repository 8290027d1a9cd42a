#include "mainwindow/TrayIconRetry.h"

#include <algorithm>
#include <vector>

namespace {

// The timer's id on the form's window.
constexpr UINT_PTR kRetryTimerId = 0x5452;

// The retries running now; the timer reaches its own through the window it carries.
std::vector<TrayIconRetry*>& RunningRetries() {
  static std::vector<TrayIconRetry*> retries;
  return retries;
}

}  // namespace

TrayIconRetry::TrayIconRetry(uint32_t intervalMs, uint32_t limitMs) : intervalMs_(intervalMs), limitMs_(limitMs) {}

TrayIconRetry::~TrayIconRetry() { Stop(); }

void TrayIconRetry::Start(CVolWinForm& form) {
  Stop();
  if (!form.HasWindow() || !form.FormAdapter()->TrayIconMissing()) return;
  if (SetTimer(form.Handle(), kRetryTimerId, intervalMs_, OnTimer) == 0) return;
  form_ = &form;
  window_ = form.Handle();
  startTick_ = GetTickCount();
  RunningRetries().push_back(this);
}

void TrayIconRetry::Stop() {
  if (window_ == nullptr) return;
  KillTimer(window_, kRetryTimerId);
  auto& retries = RunningRetries();
  retries.erase(std::remove(retries.begin(), retries.end(), this), retries.end());
  window_ = nullptr;
  form_ = nullptr;
}

void CALLBACK TrayIconRetry::OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
  if (id != kRetryTimerId) return;
  for (TrayIconRetry* retry : RunningRetries()) {
    if (retry->window_ == window) {
      retry->Tick();
      return;
    }
  }
  KillTimer(window, id);  // its retry is gone
}

void TrayIconRetry::Tick() {
  // The window may have gone, or the form been shown again (no icon wanted), since the last tick.
  const bool wanted = form_->HasWindow() && form_->Handle() == window_ && form_->FormAdapter()->TrayIconMissing();
  if (!wanted || form_->FormAdapter()->AddTrayIconAgain() || GetTickCount() - startTick_ >= limitMs_) Stop();
}
