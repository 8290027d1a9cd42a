#include "support/Notices.h"

namespace {

struct NoticeSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK TakeNotice(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<NoticeSearch*>(context);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

}  // namespace

HWND FindNotice(DWORD processId) {
  NoticeSearch search{processId, nullptr};
  EnumWindows(TakeNotice, reinterpret_cast<LPARAM>(&search));
  return search.found;
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
