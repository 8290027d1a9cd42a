// Ending the running copy from outside: the copy that passed the single-instance guard listens on a
// message-only window of its own class; "岚枫禾无线按钮扩展.exe /exit" (the installer and the
// uninstaller run it) finds those windows, asks each to end, and waits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr const wchar_t* kExitRequestWindowClass = L"LanfheExitRequest";
// Posted to the listener: end at once, without a question.
inline constexpr UINT kExitRequestMessage = WM_APP + 0x117;

// The listening side: a message-only window whose request calls onRequest(context). The window goes
// with the object.
class ExitRequestListener {
 public:
  using Handler = void (*)(void* context);
  ExitRequestListener(Handler onRequest, void* context);
  ~ExitRequestListener();
  ExitRequestListener(const ExitRequestListener&) = delete;
  ExitRequestListener& operator=(const ExitRequestListener&) = delete;

  // False when the window could not be made (the program then simply cannot be ended from outside).
  bool IsListening() const { return window_ != nullptr; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  Handler onRequest_;
  void* context_;
};

// The asking side: asks every running copy of this user's session (other than this process) to end
// and waits until none runs any more: no listener window, no process that had one, and no
// single-instance event named instanceEvent. 0 when none runs (at once when none ran); 1 when one
// still runs after timeoutMs.
int32_t EndRunningCopies(const std::wstring& instanceEvent, DWORD timeoutMs);
