#include "winframework/WindowHelpers.h"

#include "winframework/WinControl.h"

#include <string>

int ShowMessageBox(const CVolWinControl* owner, const wchar_t* text, UINT type, const wchar_t* caption) {
  const HWND focused = GetFocus();
  const HWND ownerWindow = owner != nullptr ? owner->Handle() : nullptr;
  const int result = MessageBoxW(ownerWindow, text != nullptr ? text : L"", caption != nullptr ? caption : L"", type);
  if (focused != nullptr && IsWindow(focused) != FALSE) SetFocus(focused);
  return result;
}

CWString WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return CWString();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, &text[0], length + 1);
  return CWString(text.c_str(), copied);
}

bool RestoreFromMinimised(HWND window) { return OpenIcon(window) != FALSE; }

bool MakeTopmost(HWND window) {
  return SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE;
}

bool LeaveTopmostAndShow(HWND window) {
  return SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW) != FALSE;
}

bool IsMinimised(HWND window) { return IsIconic(window) != FALSE; }

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

HWND FindNextTopLevelWindow(HWND after, const CWString& className, const CWString& title) {
  return FindWindowExW(nullptr, after, className.IsEmpty() ? nullptr : className.GetText(),
                       title.IsEmpty() ? nullptr : title.GetText());
}
