// The single-instance guard and its notice.
#include "runtime/VolMem.h"
#include "runtime/WConstString.h"
#include "settings/ProcessTools.h"

namespace {

// The default event name is derived from this phrase, never the phrase itself.
constexpr wchar_t kDefaultNamePhrase[] = L"你懒得输入，我就写死，略略";

using MessageBoxTimeoutFunction = int(WINAPI*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type,
                                               WORD language, DWORD timeoutMs);

CProcessTools::GuardStepHook g_beforeEventCreation = nullptr;

const HWND kNoWindow = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

// The running copy's window. The process search can meet this copy before the running one, which
// would then bring its own window forward: it passes over the current process.
HWND FindRunningCopyWindow() {
  const uint32_t processId = CProcessTools::FindOtherProcessByName(CProcessTools::GetModuleFileTitle());
  if (processId == 0) return kNoWindow;
  return CProcessTools::FindProcessWindow(processId, CWString(), CWString(), CProcessTools::kRunningCopySearchMs);
}

// Shows the running copy's window, restores it when minimised and keeps it above other windows
// without taking the focus from wherever it is. Without a window the calls fail and change nothing.
void BringUp(HWND window) {
  if (!IsWindowVisible(window)) {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
  }
  if (IsIconic(window)) OpenIcon(window);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

}  // namespace

void CProcessTools::EnsureSingleInstance(const CWString& name, const CWString& message) {
  const CWString eventName = name.IsNullObject() ? CWConstString(kDefaultNamePhrase).ToAnsiBytes().Md5Hex() : name;

  // Creating is the test: two copies started at the same moment cannot both be first, as they could
  // with a look for the event followed by its creation. Automatic reset, not signalled.
  if (g_beforeEventCreation != nullptr) g_beforeEventCreation();
  HANDLE event = CreateEventExW(nullptr, eventName.GetText(), 0, EVENT_ALL_ACCESS);
  const DWORD error = GetLastError();
  // The event exists when it is opened, and also when it is refused: a copy started elevated made it
  // at a level this one may not open.
  const bool anotherCopyRuns =
      (event != nullptr && error == ERROR_ALREADY_EXISTS) || (event == nullptr && error == ERROR_ACCESS_DENIED);
  // The handle is never closed: the event lives as long as the running copy does. A creation failed
  // for any other reason goes unnoticed and the copy runs without its mark.
  if (!anotherCopyRuns) return;

  ShowTimedMessage(message, CWConstString(kNoticeCaption));
  BringUp(FindRunningCopyWindow());
  ExitProcess(0);
}

CProcessTools::GuardStepHook CProcessTools::SetBeforeEventCreation(GuardStepHook hook) {
  const GuardStepHook previous = g_beforeEventCreation;
  g_beforeEventCreation = hook;
  return previous;
}

int32_t CProcessTools::ShowTimedMessage(const CWString& text, const CWString& caption) {
  const HWND owner = FindProcessWindow(GetCurrentProcessId(), CWString(), CWString(), kNoticeOwnerSearchMs);
  // Looked up at run time: the system does not publish it for linking.
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return 0;
  const auto messageBoxTimeout = reinterpret_cast<MessageBoxTimeoutFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32, "MessageBoxTimeoutW")));
  if (messageBoxTimeout == nullptr) return 0;
  return messageBoxTimeout(owner, text.GetText(), caption.GetText(), MB_OK, 0, kNoticeTimeoutMs);
}
