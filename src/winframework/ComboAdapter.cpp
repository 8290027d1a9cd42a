#include "winframework/ComboAdapter.h"

#include "winframework/ButtonAdapter.h"
#include "winframework/FrameworkMessages.h"
#include "winframework/WinCreateInfo.h"

CVWnd_ComboBox::CVWnd_ComboBox() : brush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {}

bool CVWnd_ComboBox::CreateCombo(CVolWinCreateInfo& info) {
  int height = info.height;
  if ((info.style & 3) != CBS_SIMPLE && height < kMinimumDropDownHeight) height = kMinimumDropDownHeight;
  info.style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  const HWND parent = info.parentWindow != nullptr ? info.parentWindow->Handle() : nullptr;
  if (!Create(info.exStyle, info.text.GetText(), info.style, info.left, info.top, info.width, height, parent,
              info.controlId)) {
    return false;
  }
  const HWND combo = Handle();
  SubclassEdit();
  SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), TRUE);
  info.font = nullptr;  // sent already
  const LRESULT itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  SendMessageW(combo, CB_SETITEMHEIGHT, 0, static_cast<LPARAM>(static_cast<uint16_t>(itemHeight + extraItemHeight)));
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  settingText = true;
  SetWindowTextW(combo, info.text.GetText());
  settingText = false;
  return true;
}

void CVWnd_ComboBox::SubclassEdit() {
  const HWND edit = FindWindowExW(Handle(), nullptr, L"Edit", nullptr);
  if (edit == nullptr) return;
  // The edit's own procedure is stored before the edit can receive a message through the new one.
  SetPropW(edit, kComboObjectProperty, this);
  SetPropW(edit, kComboEditProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrW(edit, GWLP_WNDPROC)));
  SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc));
}

LRESULT CALLBACK CVWnd_ComboBox::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* combo = static_cast<CVWnd_ComboBox*>(GetPropW(edit, kComboObjectProperty));
  const auto previous = reinterpret_cast<WNDPROC>(GetPropW(edit, kComboEditProcProperty));
  if (previous == nullptr) return DefWindowProcW(edit, message, wParam, lParam);
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST && combo != nullptr && combo->listener_ != nullptr) {
    bool consumed = false;
    try {
      consumed = HandToListener(combo->listener_, edit, message, wParam, lParam);
    } catch (...) {
      PlatformWindow::KeepCurrentException();
      consumed = true;
    }
    if (consumed || IsWindow(edit) == FALSE || GetPropW(edit, kComboObjectProperty) != combo) return 0;
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(edit, kComboObjectProperty);
    RemovePropW(edit, kComboEditProcProperty);
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return CallWindowProcW(previous, edit, message, wParam, lParam);
}

LRESULT CVWnd_ComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The combo's own focus messages do not count: the focus events come from CBN_SETFOCUS and
  // CBN_KILLFOCUS, which also cover the edit field.
  if (message != WM_SETFOCUS && message != WM_KILLFOCUS &&
      ForwardToListener(listener_, *this, message, wParam, lParam)) {
    return 0;
  }
  return PlatformComboBox::WindowProc(message, wParam, lParam);
}

bool CVWnd_ComboBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_VOL_COMBOSELENDOK:
      if (listener_ != nullptr) listener_->OnSelChange();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      if ((GetWindowLongPtrW(Handle(), GWL_STYLE) & 3) == CBS_SIMPLE && brush_) {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.Get());
      }
      result = Default();
      return true;
    default: return PlatformComboBox::OnMessage(message, wParam, lParam, result);
  }
}

void CVWnd_ComboBox::ForwardFocus(UINT focusMessage) {
  if (listener_ == nullptr) return;
  MSG msg{Handle(), focusMessage, 0, 0, 0, {0, 0}};
  listener_->OnWindowMessage(msg);
}

bool CVWnd_ComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND) {
    result = ApplyControlColors(reinterpret_cast<HDC>(wParam), textColor, backColor, brush_.Get());
    return true;
  }
  switch (HIWORD(wParam)) {
    case CBN_SELENDOK:
      // The edit text changes only after this notification: the event runs once it has.
      if (listener_ != nullptr) PostMessageW(Handle(), WM_VOL_COMBOSELENDOK, 0, 0);
      return true;
    case CBN_EDITCHANGE:
      if (listener_ != nullptr && !settingText) listener_->OnEditChange();
      return true;
    case CBN_DROPDOWN:
      if (listener_ != nullptr) listener_->OnDropDown();
      return true;
    case CBN_CLOSEUP:
      if (listener_ != nullptr) listener_->OnCloseUp();
      return true;
    case CBN_DBLCLK:
      if (listener_ != nullptr) listener_->OnDoubleClick();
      return true;
    case CBN_SETFOCUS: ForwardFocus(WM_SETFOCUS); return true;
    case CBN_KILLFOCUS: ForwardFocus(WM_KILLFOCUS); return true;
    default: return false;
  }
}
