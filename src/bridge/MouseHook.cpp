#include "bridge/MouseHook.h"

#include "bridge/ButtonEvent.h"
#include "bridge/KeystrokeInjection.h"
#include "settings/DynamicImportTable.h"

HHOOK g_mouseHook = nullptr;
std::int64_t g_buttonHandler = 0;

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode >= 0 && g_buttonHandler > 0) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    const auto mouseDataHigh = static_cast<std::int16_t>(info != nullptr ? HIWORD(info->mouseData) : 0);
    // An event that no rule matches (movement, a wheel delta other than +-120, an extra button
    // numbered neither 1 nor 2) does not reach the handler at all: it has no pair to report, and
    // skipping it keeps mouse movement nearly as cheap as a hook that only chains.
    const ButtonEvent event = TranslateMouseEvent(static_cast<std::uint32_t>(wParam), mouseDataHigh);
    if (event.matched()) {
      reinterpret_cast<ButtonHandler>(static_cast<std::intptr_t>(g_buttonHandler))(event.button, event.action, 0);
    }
  }
  // Never swallows an event: the chained result is the hook's result.
  return User32ImportAddress<CallNextHookExFunction>(kUser32CallNextHookEx)(g_mouseHook, nCode, wParam, lParam);
}

void InstallMouseHook() {
  // Not checked: without a hook the program still runs, only without the bridge.
  g_mouseHook = User32ImportAddress<SetWindowsHookExWFunction>(kUser32SetWindowsHookExW)(
      WH_MOUSE_LL, &MouseHookProc, nullptr, 0);
  // Registered after the hook, with no message retrieval between, so no event finds the slot empty.
  g_buttonHandler = reinterpret_cast<std::intptr_t>(&OnMouseButton);
}
