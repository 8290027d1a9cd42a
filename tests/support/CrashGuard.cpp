// Linked into every test executable: a crash ends the process at once with the exception code as
// its exit code, instead of waiting in the system's crash debugger until the test run times out.
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI EndOnUnhandledException(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  std::fprintf(stderr, "unhandled exception 0x%08lX at %p\n", static_cast<unsigned long>(record->ExceptionCode),
               record->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), record->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

const bool g_crashGuardInstalled = (SetUnhandledExceptionFilter(EndOnUnhandledException), true);

}  // namespace
