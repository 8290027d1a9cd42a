#include "mainwindow/ExitRequest.h"

#include "settings/KernelHandle.h"

#include <algorithm>
#include <vector>

namespace {

bool RegisterListenerClass(WNDPROC windowProc) {
  static const bool registered = [windowProc] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kExitRequestWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

bool EventExists(const std::wstring& name) {
  return static_cast<bool>(KernelHandle(OpenEventW(SYNCHRONIZE, FALSE, name.c_str())));
}

struct AskedCopy {
  DWORD processId;
  KernelHandle process;
};

// Posts the request to every listener of another process; remembers the processes asked.
void AskListeners(std::vector<AskedCopy>& asked) {
  HWND window = nullptr;
  while ((window = FindWindowExW(HWND_MESSAGE, window, kExitRequestWindowClass, nullptr)) != nullptr) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0 || processId == GetCurrentProcessId()) continue;
    PostMessageW(window, kExitRequestMessage, 0, 0);
    const bool known = std::any_of(asked.begin(), asked.end(),
                                   [&](const AskedCopy& copy) { return copy.processId == processId; });
    if (!known) asked.push_back({processId, KernelHandle(OpenProcess(SYNCHRONIZE, FALSE, processId))});
  }
}

bool AllEnded(const std::vector<AskedCopy>& asked) {
  return std::all_of(asked.begin(), asked.end(), [](const AskedCopy& copy) {
    return !copy.process || WaitForSingleObject(copy.process.get(), 0) == WAIT_OBJECT_0;
  });
}

}  // namespace

ExitRequestListener::ExitRequestListener(Handler onRequest, void* context)
    : onRequest_(onRequest), context_(context) {
  if (!RegisterListenerClass(&WindowProc)) return;
  window_ = CreateWindowExW(0, kExitRequestWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ExitRequestListener::~ExitRequestListener() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK ExitRequestListener::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kExitRequestMessage) {
    auto* listener = reinterpret_cast<ExitRequestListener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (listener != nullptr && listener->onRequest_ != nullptr) listener->onRequest_(listener->context_);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int32_t EndRunningCopies(const std::wstring& instanceEvent, DWORD timeoutMs) {
  std::vector<AskedCopy> asked;
  const DWORD start = GetTickCount();
  for (;;) {
    // Asked again each round: a copy that was still starting gets its listener late.
    AskListeners(asked);
    if (AllEnded(asked) && !EventExists(instanceEvent)) return 0;
    if (GetTickCount() - start >= timeoutMs) return 1;
    Sleep(50);
  }
}
