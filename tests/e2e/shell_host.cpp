// A test build of the application shell: its own application adapter with a start routine chosen
// by the argument, started the way the program's entry starts it. It links the shell alone, without
// the program-wide objects, and writes one line to stdout for each step the test watches:
//   "InitInstance 0|1"  what InitInstance answered
//   "ExitInstance"      ExitInstance ran
//   "static teardown"   static destructors ran (the C run-time's exit does that, ExitProcess does not)
//   shell_host.exe vol-exception | std-exception | int-exception | no-window
#include "app/MfcApp.h"
#include "runtime/VolException.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

struct TeardownWitness {
  ~TeardownWitness() { Say("static teardown"); }
} g_teardownWitness;

int32_t ThrowVolException() { throw CVolException(L"x"); }
int32_t ThrowStdException() { throw std::runtime_error("x"); }
int32_t ThrowInt() { throw 7; }
int32_t StartWithoutWindow() { return 1; }

class ShellHostApp : public CVolMFCApp {
 public:
  using CVolMFCApp::CVolMFCApp;
  bool InitInstance() override {
    const bool run = CVolMFCApp::InitInstance();
    Say(run ? "InitInstance 1" : "InitInstance 0");
    return run;
  }
  int ExitInstance() override {
    Say("ExitInstance");
    return CVolMFCApp::ExitInstance();
  }
};

}  // namespace

int main(int argc, char** argv) {
  struct Routine {
    const char* name;
    StartRoutine start;
  };
  const Routine routines[] = {{"vol-exception", &ThrowVolException},
                              {"std-exception", &ThrowStdException},
                              {"int-exception", &ThrowInt},
                              {"no-window", &StartWithoutWindow}};
  for (const Routine& routine : routines) {
    if (argc == 2 && std::strcmp(argv[1], routine.name) == 0) {
      ShellHostApp app(routine.start);
      return app.Start(GetModuleHandleW(nullptr));
    }
  }
  std::fprintf(stderr, "usage: shell_host vol-exception|std-exception|int-exception|no-window\n");
  return 2;
}
