#include "support/Notices.h"

#include "support/ProcessWindows.h"

namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

}  // namespace

HWND FindNotice(DWORD processId) {
  for (const HWND window : TopLevelWindowsOf(processId)) {
    if (ClassIs(window, L"#32770") && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND WaitForNotice(DWORD processId, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND box = FindNotice(processId)) return box;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(10);
  }
}

NoticeText ReadNotice(HWND box) {
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  return {TextOf(box), text};
}

void ConfirmNotice(HWND box) {
  SendMessageTimeoutW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
}
