#include "bridge/MouseHook.h"

#include "bridge/ButtonEvent.h"
#include "settings/DynamicImportTable.h"

HHOOK g_mouseHook = nullptr;

namespace {

HookPressTarget g_target{nullptr, 0};

}  // namespace

void SetHookPressTarget(const HookPressTarget& target) { g_target = target; }

void ClearHookPressTarget() { g_target = HookPressTarget{nullptr, 0}; }

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode >= 0 && g_target.window != nullptr) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    const auto mouseDataHigh = static_cast<std::int16_t>(info != nullptr ? HIWORD(info->mouseData) : 0);
    const ButtonEvent event = TranslateMouseEvent(static_cast<std::uint32_t>(wParam), mouseDataHigh);
    if (event == ButtonEvent{kButtonMiddle, kActionDown}) {
      const WPARAM injected = info != nullptr && (info->flags & LLMHF_INJECTED) != 0 ? 1 : 0;
      PostMessageW(g_target.window, g_target.message, injected, static_cast<LPARAM>(GetTickCount()));
    }
  }
  // Never swallows an event: the chained result is the hook's result.
  return User32ImportAddress<CallNextHookExFunction>(kUser32CallNextHookEx)(g_mouseHook, nCode, wParam, lParam);
}

bool InstallMouseHook() {
  RemoveMouseHook();
  g_mouseHook = User32ImportAddress<SetWindowsHookExWFunction>(kUser32SetWindowsHookExW)(
      WH_MOUSE_LL, &MouseHookProc, nullptr, 0);
  return g_mouseHook != nullptr;
}

void RemoveMouseHook() {
  // A hook the system removed already makes this fail; either way it is gone.
  if (g_mouseHook != nullptr) User32ImportAddress<UnhookWindowsHookExFunction>(kUser32UnhookWindowsHookEx)(g_mouseHook);
  g_mouseHook = nullptr;
}
