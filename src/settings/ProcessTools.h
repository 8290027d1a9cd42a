// The program's process helpers: the single-instance guard with its self-closing notice, the search
// for a process by its executable's file name and the search for a process's visible window.
#pragma once

#include "runtime/VolObject.h"
#include "runtime/WString.h"

#include <windows.h>

#include <cstdint>

// A utility object without fields; its operations work on their arguments alone, so they are static
// (and can still be called through the program's one instance).
class CProcessTools : public CVolObject {
 public:
  // Name of the event whose existence marks the running copy of the program.
  static constexpr const wchar_t* kInstanceEventName = L"重复运行";
  // Caption of the notice a second copy shows.
  static constexpr const wchar_t* kNoticeCaption = L"友情提醒";
  // How long the notice stays, and how long the searches wait for a window.
  static constexpr uint32_t kNoticeTimeoutMs = 5000;
  static constexpr int32_t kNoticeOwnerSearchMs = 1000;
  static constexpr int32_t kRunningCopySearchMs = 100;

  CProcessTools() = default;
  CProcessTools(const CProcessTools&) = default;
  CProcessTools& operator=(const CProcessTools&) = default;
  ~CProcessTools() override = default;

  static const CVolClassInfo& ClassInfo();

  const CVolClassInfo& GetClassInfo() const override;
  CProcessTools* CreateNew() const override;
  CProcessTools* Clone() const override;
  bool IsKindOf(const CVolClassInfo& info) const override;

  // Returns only in the first copy, which then holds the named event until it ends. A name that is
  // a null object stands for the MD5 text (32 lower-case hexadecimal digits) of a fixed phrase's
  // bytes in the system ANSI code page. In every later copy: the notice (message, "友情提醒"), then
  // the visible window of another process of this executable's file name is restored and made
  // topmost without activation, and the process ends with exit code 0 inside this call. An event
  // that exists but may not be opened (made by a copy at a higher integrity level) counts as another
  // copy too.
  static void EnsureSingleInstance(const CWString& name, const CWString& message);

  // Called, when set, right before the guard creates its event: a test has another process create
  // the event at that moment. Answers the hook set before.
  using GuardStepHook = void (*)();
  static GuardStepHook SetBeforeEventCreation(GuardStepHook hook);

  // A one-button box owned by this process's first visible top-level window (waiting up to a second
  // for one), closing itself after five seconds. The system's answer; 0 when the system offers no
  // such box.
  static int32_t ShowTimedMessage(const CWString& text, const CWString& caption);

  // Id of the first process in the system's list whose executable file name equals fileName,
  // letter case aside; the current process takes part like any other. 0 when none.
  static uint32_t FindProcessByName(const CWString& fileName);
  // The same search with the current process left out.
  static uint32_t FindOtherProcessByName(const CWString& fileName);

  // The first visible top-level window of process processId, searched over and over, without
  // sleeping, until one is found or limitMs have passed; null then, and at once for a limit of 0 or
  // less. A non-empty filter goes to the system's window search, which then admits only windows of
  // that class name or that title.
  static HWND FindProcessWindow(uint32_t processId, const CWString& classFilter, const CWString& titleFilter,
                                int32_t limitMs);
  // FindProcessWindow of the process FindProcessByName gives, within 100 ms; the value -1 as the
  // handle when no process has that name.
  static HWND FindProcessNameWindow(const CWString& fileName);

  // The running executable's file name without its directory; empty when the system gives no path
  // or one longer than MAX_PATH - 1 characters.
  static CWString GetModuleFileTitle();
};
