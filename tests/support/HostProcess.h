// A test host run as a child process: its standard output read through a pipe, and the process
// never outliving the test. Every host belongs to one job that ends its processes when the test
// process ends, however it ends; a host still running when its object goes is ended at once.
#pragma once

#include "settings/KernelHandle.h"

#include <windows.h>

#include <memory>
#include <string>

class HostProcess {
 public:
  // Starts program (a path) with the arguments; null when the process cannot be started.
  static std::unique_ptr<HostProcess> Start(const std::wstring& program, const std::wstring& arguments);

  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  DWORD Id() const { return id_; }
  bool IsRunning() const;
  // Waits up to timeoutMs for the end; the exit code, or STILL_ACTIVE when it still runs.
  DWORD WaitForExit(DWORD timeoutMs) const;
  // Everything the host has written so far.
  const std::string& Output();
  // Waits up to timeoutMs until the output holds text; false when the time runs out or the host ends
  // without writing it.
  bool WaitForOutput(const std::string& text, DWORD timeoutMs);

 private:
  HostProcess() = default;
  void Drain();

  KernelHandle process_;
  KernelHandle thread_;
  KernelHandle output_;
  DWORD id_ = 0;
  std::string text_;
};
