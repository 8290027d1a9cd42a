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

BOOL WINAPI FakeUnhookWindowsHookEx(HHOOK hook) {
  g_active->unhookCalls.push_back(hook);
  return TRUE;
}

UINT WINAPI FakeSendInput(UINT count, LPINPUT events, int size) {
  if (size != static_cast<int>(sizeof(INPUT))) return 0;
  g_active->sendInputCalls.emplace_back(events, events + count);
  if (g_active->sendInputCalls.size() == 1 && g_active->insertLimit >= 0 &&
      static_cast<UINT>(g_active->insertLimit) < count) {
    return static_cast<UINT>(g_active->insertLimit);
  }
  return count;
}

}  // namespace

FakeUser32::FakeUser32() : savedHook_(g_mouseHook), savedCtrlCombo_(g_ctrlCombo) {
  for (int i = 0; i < kUser32ImportCount; ++i) savedTable_[i] = g_user32Imports[i];
  g_active = this;
  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&FakeCallNextHookEx);
  g_user32Imports[kUser32SetWindowsHookExW].address = reinterpret_cast<void*>(&FakeSetWindowsHookExW);
  g_user32Imports[kUser32UnhookWindowsHookEx].address = reinterpret_cast<void*>(&FakeUnhookWindowsHookEx);
  g_user32Imports[kUser32SendInput].address = reinterpret_cast<void*>(&FakeSendInput);
  g_mouseHook = nullptr;
  g_ctrlCombo = 0;
}

FakeUser32::~FakeUser32() {
  for (int i = 0; i < kUser32ImportCount; ++i) g_user32Imports[i] = savedTable_[i];
  g_mouseHook = savedHook_;
  g_ctrlCombo = savedCtrlCombo_;
  ClearHookPressTarget();
  g_active = nullptr;
}
