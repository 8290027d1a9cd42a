#include "FakeUser32.h"

#include "bridge/KeystrokeInjection.h"
#include "bridge/MouseHook.h"

namespace {

FakeUser32* g_active = nullptr;

LRESULT WINAPI FakeCallNextHookEx(HHOOK hook, int nCode, WPARAM wParam, LPARAM lParam) {
  g_active->chainedCalls.push_back({hook, nCode, wParam, lParam});
  return g_active->chainResult;
}

HHOOK WINAPI FakeSetWindowsHookExW(int kind, HOOKPROC procedure, HINSTANCE module, DWORD threadId) {
  g_active->installCalls.push_back({kind, procedure, module, threadId});
  return g_active->installResult;
}

VOID WINAPI FakeKeybdEvent(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) {
  g_active->keyEvents.push_back({virtualKey, scanCode, flags, extraInfo});
}

}  // namespace

FakeUser32::FakeUser32()
    : savedHook_(g_mouseHook), savedHandler_(g_buttonHandler), savedCtrlCombo_(g_ctrlCombo) {
  for (int i = 0; i < kUser32ImportCount; ++i) savedTable_[i] = g_user32Imports[i];
  g_active = this;
  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&FakeCallNextHookEx);
  g_user32Imports[kUser32SetWindowsHookExW].address = reinterpret_cast<void*>(&FakeSetWindowsHookExW);
  g_user32Imports[kUser32KeybdEvent].address = reinterpret_cast<void*>(&FakeKeybdEvent);
  g_mouseHook = nullptr;
  g_buttonHandler = 0;
  g_ctrlCombo = 0;
}

FakeUser32::~FakeUser32() {
  for (int i = 0; i < kUser32ImportCount; ++i) g_user32Imports[i] = savedTable_[i];
  g_mouseHook = savedHook_;
  g_buttonHandler = savedHandler_;
  g_ctrlCombo = savedCtrlCombo_;
  g_active = nullptr;
}
