// The modal host: a dialog whose client area the form's window fills while the form runs modal.
// It follows the form (the form's destruction, visibility, text and result end or change it) and
// answers for it what only a top-level window receives.
#pragma once

#include "platform/PlatformDialog.h"

#include <windows.h>

#include <vector>

class CVolWinForm;
class CVolWinCreateInfo;

class CVolEnvelopeDialog : public PlatformDialog {
 public:
  // The form's rectangle and styles come from info, prepared and adjusted by the form.
  CVolEnvelopeDialog(CVolWinForm& form, CVolWinCreateInfo& info);

  // Builds the dialog template, picks the owner and runs the form modal; answers the dialog result
  // (-1 when the form's window could not be created or was destroyed).
  INT_PTR Run();

  // Mouse messages feed the form's tooltip; Enter is kept from the dialog processing (the form's own
  // filter decides about it); everything else gets the dialog processing.
  bool PreTranslateMessage(MSG& message) override;

  // The template's style for a form style: fixed dialog frame, or the form's own bits made a
  // centred, visible pop-up with a modal frame unless it is sizable.
  static DWORD TemplateStyle(DWORD formStyle, bool fixedDialogFrame);
  // The host's client size for a form's prepared creation record: the form's rectangle (an outer
  // size for the form's own styles and menu) less the frame those styles give; 0 where it is smaller.
  static SIZE HostedClientSize(const CVolWinCreateInfo& info);

 protected:
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  HWND Owner() const;
  HWND FormWindow() const;
  void OnHostNotify(WPARAM code, LPARAM value);
  void PaintMinimised();

  CVolWinForm& form_;
  CVolWinCreateInfo& info_;
  std::vector<DWORD> template_;  // DWORD-aligned DLGTEMPLATE with empty menu, class and title
  DWORD style_ = 0;
  bool beingDestroyed_ = false;
  bool isMainWindow_ = false;
};
