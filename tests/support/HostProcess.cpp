#include "support/HostProcess.h"

namespace {

// One job for the test process and every host it starts. Only the test process holds the job's
// handle, so the system closes it when the test process ends, however it ends, and the job then
// ends whatever hosts are left. The test process joins the job itself, so that a host belongs to it
// from its creation on: one started just before the test process is killed cannot slip out.
HANDLE HostJob() {
  static const HANDLE job = [] {
    HANDLE created = CreateJobObjectW(nullptr, nullptr);
    if (created == nullptr) return created;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(created, GetCurrentProcess());
    return created;
  }();
  return job;
}

void KeepInHostJob(HANDLE process) {
  BOOL inJob = FALSE;
  if (HostJob() != nullptr && IsProcessInJob(process, HostJob(), &inJob) && !inJob) {
    AssignProcessToJobObject(HostJob(), process);
  }
}

}  // namespace

std::unique_ptr<HostProcess> HostProcess::Start(const std::wstring& program, const std::wstring& arguments) {
  HostJob();
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return nullptr;
  KernelHandle output(readEnd);
  KernelHandle childOutput(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr,
                      &startup, &started)) {
    return nullptr;
  }
  std::unique_ptr<HostProcess> host(new HostProcess());
  host->process_ = KernelHandle(started.hProcess);
  host->thread_ = KernelHandle(started.hThread);
  host->output_ = std::move(output);
  host->id_ = started.dwProcessId;
  KeepInHostJob(started.hProcess);
  ResumeThread(started.hThread);
  // Only the host holds the write end now: the pipe reports its end when the host ends.
  return host;
}

HostProcess::~HostProcess() {
  if (IsRunning()) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool HostProcess::IsRunning() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

DWORD HostProcess::WaitForExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

const std::string& HostProcess::Output() {
  Drain();
  return text_;
}

bool HostProcess::WaitForOutput(const std::string& text, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    const bool ended = !IsRunning();
    Drain();
    if (text_.find(text) != std::string::npos) return true;
    if (ended || GetTickCount() - start >= timeoutMs) return false;
    Sleep(10);
  }
}

void HostProcess::Drain() {
  // Reads only what is there, so a host that writes nothing more never blocks the test.
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available, nullptr) || available == 0) return;
    char chunk[512];
    DWORD read = 0;
    if (!ReadFile(output_.get(), chunk, available < sizeof chunk ? available : sizeof chunk, &read, nullptr) ||
        read == 0) {
      return;
    }
    text_.append(chunk, read);
  }
}
