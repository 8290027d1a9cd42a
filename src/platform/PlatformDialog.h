// A modal dialog run from an in-memory template. It is created modeless and runs its own loop
// (the application's pre-translation in front of dispatch), so that a subclass can keep keys from
// the dialog-message processing, which the system's built-in modal loop would not allow.
#pragma once

#include "platform/PlatformWindow.h"

class PlatformDialog : public PlatformWindow {
 public:
  // Creates the dialog (owner disabled meanwhile) and handles messages until EndDialog; the owner is
  // enabled again before the dialog is destroyed. Answers the value given to EndDialog, -1 when the
  // dialog cannot be created. A kept exception is thrown after the dialog is gone.
  INT_PTR RunModal(const DLGTEMPLATE* dialogTemplate, HWND owner);
  // Ends the modal loop with result; the dialog is destroyed when the loop returns.
  void EndDialog(INT_PTR result);
  bool IsEnding() const { return ending_; }

  // The dialog-message processing (IsDialogMessageW) for messages within the dialog.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  // WM_INITDIALOG; true lets the system set the focus.
  virtual BOOL OnInitDialog();

 private:
  static INT_PTR CALLBACK LayerDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  bool ending_ = false;
  INT_PTR result_ = -1;
};
