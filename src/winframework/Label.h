// The label: one line of text that the program sets (a prompt, a device's name), shown as written
// and cut with an ellipsis where it does not fit its rectangle. It takes no focus and no tab stop.
// Its text is read and set with GetControlText / SetControlText, with or without a window.
#pragma once

#include "winframework/EventListeners.h"
#include "winframework/LabelAdapter.h"
#include "winframework/WinControl.h"

// SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS on top of the default style: "&" is no mnemonic marker
// (device names may hold one), and the ellipsis keeps the text on one line.
class CVolLabel : public CVolWinControl, public IBaseEventListener {
 public:
  CVolLabel();
  ~CVolLabel() override;

  static const CVolClassInfo& ClassInfo();
  const CVolClassInfo& GetClassInfo() const override;
  CVolLabel* CreateNew() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // Before creation: the text wraps over the lines the label's height holds instead of staying on
  // one line cut with an ellipsis (a name with a note after it may need two lines).
  void SetWrapping(bool wrap);

  // A STATIC child; 1 when its window was created.
  int32_t Create(CVolWinCreateInfo& info) override;
  void AttachListener() override;
  void DetachListener() override;
  int32_t HasListener() override;

  // The control events of the label's messages (a static control without SS_NOTIFY gets no mouse
  // input: clicks fall through to the form).
  bool OnWindowMessage(MSG& msg) override;

  CVWnd_Label* LabelAdapter() const { return static_cast<CVWnd_Label*>(Adapter()); }
};
