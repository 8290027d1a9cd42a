// What the framework adds to one window message. A message sent to a form goes through the layer's
// window procedure, the form adapter, the listener and ProcessMessage before the default processing;
// the same message sent to a bare window of a plain class goes straight to DefWindowProcW.
// Prints figures only: nanoseconds per SendMessageW (median of interleaved rounds), the ratio to the
// bare window in the same run, and the allocations the program's own code made per message.
#include "BenchAllocations.h"
#include "BenchClock.h"
#include "BenchEventOwner.h"
#include "runtime/VolObject.h"
#include "winframework/EventObjectPointer.h"
#include "winframework/WinControl.h"
#include "winframework/WinCreateInfo.h"
#include "winframework/WinForm.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using Owner = BenchEventOwner;

int32_t OnAnyMessage(CVolObject* owner, CVolObject*, int32_t, HWND, UINT, WPARAM, LPARAM, MSG*) {
  ++static_cast<Owner*>(owner)->calls;
  return 0;  // passes the message on
}

int32_t OnMouseMove(CVolObject* owner, CVolObject*, int32_t, int32_t, int32_t, int32_t) {
  ++static_cast<Owner*>(owner)->calls;
  return 0;
}

// The program's form size, so that both windows are alike.
class BenchForm : public CVolWinForm {
 public:
  int32_t GetDefaultClientWidth() override { return 256; }
  int32_t GetDefaultClientHeight() override { return 75; }
};

class BareWindow {
 public:
  BareWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LanfheBenchBareWindow";
    RegisterClassExW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 262, 100, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
  }
  ~BareWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  BareWindow(const BareWindow&) = delete;
  BareWindow& operator=(const BareWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

// Nanoseconds per SendMessageW of message to window.
double NanosecondsPerMessage(HWND window, UINT message, long messages) {
  const double start = BenchSeconds();
  for (long i = 0; i < messages; ++i) {
    SendMessageW(window, message, 0, MAKELPARAM(i & 0xFF, 20));
  }
  return (BenchSeconds() - start) * 1e9 / static_cast<double>(messages);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Target {
  const char* name;
  HWND window;
  std::vector<double> ns;
};

}  // namespace

int main() {
  BareWindow bare;
  BenchForm plainForm;
  BenchForm boundForm;
  Owner owner;
  boundForm.BindEvent(ControlEvents::kAnyMessage, owner.events, &OnAnyMessage);
  boundForm.BindEvent(ControlEvents::kMouseMove, owner.events, &OnMouseMove);
  for (BenchForm* form : {&plainForm, &boundForm}) {
    form->SetVisible(false);  // like the bare window: no painting, no activation
    form->AttachListener();
    CVolWinCreateInfo info;
    if (form->Create(info) != 1) {
      std::printf("the form could not be created\n");
      return 1;
    }
  }
  if (bare.Handle() == nullptr) {
    std::printf("the bare window could not be created\n");
    return 1;
  }

  constexpr long kMessages = 20'000;
  constexpr int kRounds = 15;
  std::printf("%ld messages a round, median of %d rounds\n", kMessages, kRounds);
  std::printf("%-12s %-44s %10s %10s %14s\n", "message", "window", "ns/msg", "ratio", "framework ns");
  for (const UINT message : {static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_USER)}) {
    const char* messageName = message == WM_MOUSEMOVE ? "WM_MOUSEMOVE" : "WM_USER";
    Target targets[] = {
        {"bare window (DefWindowProcW)", bare.Handle(), {}},
        {"form, nothing bound", plainForm.Handle(), {}},
        {"form, any-message and mouse-move handlers", boundForm.Handle(), {}},
    };
    for (Target& target : targets) NanosecondsPerMessage(target.window, message, kMessages / 10);  // warm-up
    for (int round = 0; round < kRounds; ++round) {
      for (Target& target : targets) target.ns.push_back(NanosecondsPerMessage(target.window, message, kMessages));
    }
    const double bareNs = Median(targets[0].ns);
    for (const Target& target : targets) {
      const double ns = Median(target.ns);
      std::printf("%-12s %-44s %10.1f %10.2f %14.1f\n", messageName, target.name, ns, ns / bareNs, ns - bareNs);
    }
  }

  // A mouse message's modifier flags read the Alt key's state; what that read costs on its own.
  std::vector<double> keyStateNs;
  for (int round = 0; round < kRounds; ++round) {
    const double start = BenchSeconds();
    SHORT sink = 0;
    for (long i = 0; i < kMessages; ++i) sink = static_cast<SHORT>(sink | GetKeyState(VK_MENU));
    keyStateNs.push_back((BenchSeconds() - start) * 1e9 / static_cast<double>(kMessages) + (sink & 0));
  }
  std::printf("GetKeyState(VK_MENU) alone: %.1f ns a call\n", Median(keyStateNs));

  // The handlers' calls per message show that the bound form's messages took the whole path.
  owner.calls = 0;
  NanosecondsPerMessage(boundForm.Handle(), WM_MOUSEMOVE, 1000);
  const double mouseCalls = static_cast<double>(owner.calls) / 1000.0;
  owner.calls = 0;
  NanosecondsPerMessage(boundForm.Handle(), WM_USER, 1000);
  const double userCalls = static_cast<double>(owner.calls) / 1000.0;
  std::printf("handler calls per message on the bound form: WM_MOUSEMOVE %.2f, WM_USER %.2f\n", mouseCalls,
              userCalls);

  // Allocations by the program's own code (the framework included), the pool drained so that its
  // blocks are counted too; the system's own allocations are not seen.
  const int redirected = InstallAllocationCounter();
  const DrainedPool drained;
  long before = AllocationCount();
  int* volatile fresh = new int(1);  // volatile: the pair cannot be optimised away
  delete fresh;
  const long probe = AllocationCount() - before;
  std::printf("allocation counter: %d imports redirected, %zu pool blocks drained, probe operator new counted %ld\n",
              redirected, drained.Taken(), probe);
  constexpr long kCounted = 10'000;
  for (const UINT message : {static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_USER)}) {
    long counts[3] = {};
    const HWND windows[3] = {bare.Handle(), plainForm.Handle(), boundForm.Handle()};
    for (int i = 0; i < 3; ++i) {
      before = AllocationCount();
      NanosecondsPerMessage(windows[i], message, kCounted);
      counts[i] = AllocationCount() - before;
    }
    std::printf("allocations in %ld %s: bare %ld, form nothing bound %ld, form with handlers %ld\n", kCounted,
                message == WM_MOUSEMOVE ? "WM_MOUSEMOVE" : "WM_USER", counts[0], counts[1], counts[2]);
  }

  plainForm.FormAdapter()->DestroyWindow();
  boundForm.FormAdapter()->DestroyWindow();
  return 0;
}
