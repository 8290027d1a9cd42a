// What the mouse hook costs. Every mouse event on the desktop passes through MouseHookProc, so
// mouse movement should cost hardly more than a hook that only chains; a middle-button press pays
// for one registry read and the injected key events.
// Prints figures only. The middle-button press uses the real registry (the program's own
// "xrcode", put back afterwards) and a counting stand-in for keybd_event, so no real key is sent.
#include "BenchClock.h"
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

LRESULT WINAPI ChainOnly(HHOOK, int, WPARAM, LPARAM) { return 0; }
VOID WINAPI CountKeybdEvent(BYTE, BYTE, DWORD, ULONG_PTR) { ++g_keyEvents; }

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
  std::printf("mouse movement, %s CallNextHookEx: MouseHookProc %.2f ns, bare chaining hook %.2f ns, ratio %.3f\n",
              chain, bridge, bare, bridge / bare);
}

class StoredKeyCode {
 public:
  explicit StoredKeyCode(const std::wstring& code) : saved_(RegistryReadText(kKey, L"xrcode", kMissing)) {
    RegistryWriteText(kKey, L"xrcode", code);
  }
  ~StoredKeyCode() {
    if (saved_ != kMissing) {
      RegistryWriteText(kKey, L"xrcode", saved_);
      return;
    }
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
      RegDeleteValueW(key.get(), L"xrcode");
    }
  }

 private:
  static constexpr const wchar_t* kKey = L"Software\\lanfhe\\";
  static constexpr const wchar_t* kMissing = L"\x1F<missing>";
  std::wstring saved_;
};

void MiddlePress(int ctrlCombo, long presses) {
  g_ctrlCombo = ctrlCombo;
  g_keyEvents = 0;
  MSLLHOOKSTRUCT info{};
  const double ns = NanosecondsPerCall(&MouseHookProc, WM_MBUTTONDOWN, info, presses);
  std::printf("middle-button press, \"xrcode\" = \"65\", Ctrl flag %d: %.2f us per press (%.1f key events each)\n",
              ctrlCombo, ns / 1000.0, double(g_keyEvents) / double(presses));
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
  g_buttonHandler = reinterpret_cast<std::intptr_t>(&OnMouseButton);

  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&ChainOnly);
  CompareMovement("a stand-in", 5'000'000);
  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&::CallNextHookEx);
  CompareMovement("the real", 200'000);

  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&ChainOnly);
  g_user32Imports[kUser32KeybdEvent].address = reinterpret_cast<void*>(&CountKeybdEvent);
  const StoredKeyCode stored(L"65");
  MiddlePress(0, 20'000);
  MiddlePress(1, 20'000);
  return 0;
}
