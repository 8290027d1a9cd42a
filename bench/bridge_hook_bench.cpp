// What the mouse hook costs. Every mouse event on the desktop passes through MouseHookProc, so
// mouse movement should cost hardly more than a hook that only chains; a middle-button press only
// posts one message. The press's work on the message loop (decision, stored key, one SendInput) is
// timed apart, with a counting stand-in for SendInput, so no real key is sent.
// Prints figures only.
#include "BenchClock.h"
#include "bridge/InputCore.h"
#include "bridge/KeystrokeInjection.h"
#include "bridge/MouseHook.h"
#include "runtime/VolException.h"
#include "settings/DynamicImportTable.h"
#include "settings/DynamicImports.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

long g_keyEvents = 0;
long g_reads = 0;

LRESULT WINAPI ChainOnly(HHOOK, int, WPARAM, LPARAM) { return 0; }

class CountingInjector final : public KeyInjector {
 public:
  UINT Inject(const INPUT*, UINT count) override {
    g_keyEvents += count;
    return count;
  }
};

class CountingReader final : public SettingsReader {
 public:
  std::wstring ReadText(const std::wstring&, const std::wstring&, const std::wstring&) const override {
    ++g_reads;
    return L"65";
  }
};

// The least a hook can do: pass the event on through the same table.
LRESULT CALLBACK BareHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  return User32ImportAddress<CallNextHookExFunction>(kUser32CallNextHookEx)(g_mouseHook, nCode, wParam, lParam);
}

// Nanoseconds per call of procedure for one event.
double NanosecondsPerCall(HOOKPROC procedure, WPARAM message, MSLLHOOKSTRUCT& info, long calls) {
  HOOKPROC volatile call = procedure;  // keeps the compiler from looking into the procedure
  volatile LRESULT sink = 0;
  const double start = BenchSeconds();
  for (long i = 0; i < calls; ++i) sink = sink + call(HC_ACTION, message, reinterpret_cast<LPARAM>(&info));
  return (BenchSeconds() - start) * 1e9 / double(calls);
}

// Best of several interleaved rounds for both procedures, so both see the same machine.
void CompareMovement(const char* chain, long callsPerRound) {
  MSLLHOOKSTRUCT info{};
  info.pt = {640, 512};
  double bridge = 1e300, bare = 1e300;
  for (int round = 0; round < 15; ++round) {
    bare = std::min(bare, NanosecondsPerCall(&BareHookProc, WM_MOUSEMOVE, info, callsPerRound));
    bridge = std::min(bridge, NanosecondsPerCall(&MouseHookProc, WM_MOUSEMOVE, info, callsPerRound));
  }
  std::printf("mouse movement, %s CallNextHookEx: MouseHookProc %.2f ns, bare chaining hook %.2f ns, ratio %.3f "
              "(goal: at most 1.1)\n",
              chain, bridge, bare, bridge / bare);
}

// The hook's own call for a press: it posts one message, which is taken out again between rounds.
void HookPress(HWND window, long presses) {
  MSLLHOOKSTRUCT info{};
  const double ns = NanosecondsPerCall(&MouseHookProc, WM_MBUTTONDOWN, info, presses);
  MSG msg;
  long posted = 0;
  while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) ++posted;
  std::printf("middle-button press in the hook: %.2f us per call (%ld messages posted for %ld presses)\n", ns / 1000.0,
              posted, presses);
}

// The press's work on the message loop: the decision, the stored key from the cache and the one
// injection call.
void LoopPress(InputCore& core, int ctrlCombo, long presses) {
  g_ctrlCombo = ctrlCombo;
  g_keyEvents = 0;
  const long readsBefore = g_reads;
  const double start = BenchSeconds();
  for (long i = 0; i < presses; ++i) {
    SendMessageW(core.Window(), InputCore::kHookPressMessage, 0, static_cast<LPARAM>(GetTickCount()));
  }
  const double us = (BenchSeconds() - start) * 1e6 / double(presses);
  std::printf("middle-button press on the loop, Ctrl flag %d: %.2f us per press (%.1f key events, %.3f settings "
              "reads each; goal 0 reads)\n",
              ctrlCombo, us, double(g_keyEvents) / double(presses), double(g_reads - readsBefore) / double(presses));
}

}  // namespace

int main() {
  try {
    LoadDynamicImports();
  } catch (const CVolException& failure) {
    std::fwprintf(stderr, L"%ls\n", failure.GetDescription().GetText());
    return 1;
  }
  g_mouseHook = nullptr;  // not installed: the benchmark calls the procedure itself
  const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  SetHookPressTarget(HookPressTarget{window, WM_APP});

  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&ChainOnly);
  CompareMovement("a stand-in", 5'000'000);
  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&::CallNextHookEx);
  CompareMovement("the real", 200'000);

  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&ChainOnly);
  HookPress(window, 5'000);
  ClearHookPressTarget();

  // A core whose hook is not the system's: its window receives the presses from this loop.
  CountingReader reader;
  CountingInjector injector;
  InputCore core;
  core.SetSettingsReader(&reader);
  if (!core.Start()) return 1;
  RemoveMouseHook();
  core.SetInjector(&injector);
  LoopPress(core, 0, 20'000);
  LoopPress(core, 1, 20'000);
  core.Stop();
  DestroyWindow(window);
  return 0;
}
