#include "platform/PlatformDialog.h"

#include "platform/PlatformApp.h"
#include "platform/WindowMap.h"

namespace {

// Enables the owner again on every way out of the modal loop, exceptions included.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  }
  ~OwnerDisabled() { Restore(); }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;
  void Restore() {
    if (owner_ != nullptr) EnableWindow(owner_, TRUE);
    owner_ = nullptr;
  }

 private:
  HWND owner_;
};

}  // namespace

INT_PTR PlatformDialog::RunModal(const DLGTEMPLATE* dialogTemplate, HWND owner) {
  if (Handle() != nullptr || dialogTemplate == nullptr) return -1;
  ending_ = false;
  result_ = -1;
  // Disabled before the dialog exists, so that its initialisation already runs modal.
  OwnerDisabled disabled(owner != GetDesktopWindow() ? owner : nullptr);
  WindowMap::SetPending(this);
  const HWND dialog = CreateDialogIndirectParamW(PlatformApp::CurrentInstanceHandle(), dialogTemplate, owner,
                                                 &LayerDialogProc, 0);
  WindowMap::TakePending();
  if (dialog == nullptr || Handle() != dialog) {
    disabled.Restore();
    if (Handle() != nullptr) DestroyWindow();
    RethrowPendingException();
    return ending_ ? result_ : -1;
  }
  {
    struct DestroyOnExit {
      PlatformDialog& dialog;
      OwnerDisabled& owner;
      ~DestroyOnExit() {
        // The owner first, so that the system activates it when the dialog goes.
        owner.Restore();
        dialog.DestroyWindow();
      }
    } destroyOnExit{*this, disabled};

    MSG message{};
    while (!ending_ && Handle() != nullptr) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop ends too
        break;
      }
      if (got == -1) continue;
      if (!PreTranslateWithApplication(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      RethrowPendingException();
    }
  }
  RethrowPendingException();
  return result_;
}

void PlatformDialog::EndDialog(INT_PTR result) {
  result_ = result;
  ending_ = true;
  // Wakes the modal loop when nothing else is queued.
  if (Handle() != nullptr) PostMessageW(Handle(), WM_NULL, 0, 0);
}

bool PlatformDialog::PreTranslateMessage(MSG& message) {
  if (Handle() == nullptr || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  return IsDialogMessageW(Handle(), &message) != FALSE;
}

BOOL PlatformDialog::OnInitDialog() { return TRUE; }

INT_PTR CALLBACK PlatformDialog::LayerDialogProc(HWND window, UINT message, WPARAM, LPARAM) {
  auto* dialog = static_cast<PlatformDialog*>(FromHandle(window));
  if (dialog == nullptr) {
    // The first message the dialog procedure sees: bind, and put the layer's procedure in front of the
    // dialog class's, so that every later message passes through the object first.
    dialog = static_cast<PlatformDialog*>(WindowMap::TakePending());
    if (dialog == nullptr || !dialog->Subclass(window)) return FALSE;
  }
  if (message != WM_INITDIALOG) return FALSE;
  try {
    return dialog->OnInitDialog();
  } catch (...) {
    KeepCurrentException();
    dialog->EndDialog(-1);
    return FALSE;
  }
}
