// Times how long two programs take from their start to their window being shown, start after start,
// in turns, in one long-lived process: while it runs, Wine's desktop process stays alive, so every
// start is a warm one for both programs alike.
//   window_start_timer ROUNDS TITLE_A COMMAND_LINE_A TITLE_B COMMAND_LINE_B
// After one untimed start of each, prints one line per round: "start MS_A MS_B". A start ends when a
// visible top-level window titled TITLE of the started process exists; the process is then ended.
#include "BenchClock.h"
#include "settings/KernelHandle.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct ShownWindowSearch {
  DWORD processId;
  const wchar_t* title;
  bool found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ShownWindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (std::wcscmp(title, search->title) != 0) return TRUE;
  search->found = true;
  return FALSE;
}

// Every started program belongs to this job, so none outlives the timer, however it ends.
HANDLE KillOnCloseJob() {
  static KernelHandle job([] {
    const HANDLE created = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return created;
  }());
  return job.get();
}

// Milliseconds from CreateProcessW to the shown window; negative when the program did not start or
// showed no window within 30 s.
double TimeOneStart(const std::wstring& title, std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  const double begin = BenchSeconds();
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    return -1;
  }
  const KernelHandle process(started.hProcess);
  const KernelHandle thread(started.hThread);
  AssignProcessToJobObject(KillOnCloseJob(), process.get());

  ShownWindowSearch search{started.dwProcessId, title.c_str(), false};
  double end = begin;
  while (!search.found && WaitForSingleObject(process.get(), 1) == WAIT_TIMEOUT) {
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    end = BenchSeconds();
    if (end - begin > 30) break;
  }
  TerminateProcess(process.get(), 0);
  WaitForSingleObject(process.get(), 10000);
  Sleep(300);  // the desktop settles before the next start
  return search.found ? (end - begin) * 1000 : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: window_start_timer ROUNDS TITLE_A COMMAND_LINE_A TITLE_B COMMAND_LINE_B\n");
    return 2;
  }
  const long rounds = std::wcstol(argv[1], nullptr, 10);
  const std::wstring titles[2] = {argv[2], argv[4]};
  const std::wstring commandLines[2] = {argv[3], argv[5]};

  for (int program = 0; program < 2; ++program) {
    if (TimeOneStart(titles[program], commandLines[program]) < 0) {
      std::fwprintf(stderr, L"window_start_timer: no window \"%ls\" from %ls\n", titles[program].c_str(),
                    commandLines[program].c_str());
      return 1;
    }
  }
  for (long round = 0; round < rounds; ++round) {
    // Taking turns in both orders, so neither program always follows the other.
    double ms[2];
    const int first = static_cast<int>(round % 2);
    ms[first] = TimeOneStart(titles[first], commandLines[first]);
    ms[1 - first] = TimeOneStart(titles[1 - first], commandLines[1 - first]);
    std::printf("start %.1f %.1f\n", ms[0], ms[1]);
    std::fflush(stdout);
  }
  return 0;
}
