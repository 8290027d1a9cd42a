// Forms behave like dialogs (Tab, Enter, Esc) although they are ordinary windows: before a
// keyboard or mouse message is dispatched, every framework window from its target up to the
// top-level window may look at it. Forms run their keyboard filter there.
#pragma once

#include <windows.h>

class CVWnd_WinForm;

// True for the messages the chain sees: keyboard (0x100 to 0x109) and mouse (0x200 to 0x20E).
bool IsPreTranslatedMessage(UINT message);

// Offers msg to each window carrying the framework mark, from msg.hwnd up to the first window
// without WS_CHILD, through WM_VOL_PRETRANSLATE; true when one answered the mark (consumed).
bool PreTranslateWindowChain(MSG& msg);

// The form's keyboard filter for a message within the form: the form's own look, Esc, dragging by
// the client area, the edit keys left to edit fields, accelerators, Tab out of an edit field, Enter
// only with a default button, F1 help, and last the dialog-message processing. True: consumed.
bool RunFormFilter(CVWnd_WinForm& form, MSG& msg);

// The help file as the form's F1 opens it: a path that does not start with "\" or a drive and ":\"
// is taken relative to the directory of the application's module.
void ResolveHelpPath(const wchar_t* helpFile, wchar_t* path, size_t units);
