// Recording stand-ins for the user32 functions the bridge calls through g_user32Imports. While a
// FakeUser32 lives, the table points at them and the hook's globals start cleared; everything is put
// back when it goes.
#pragma once

#include "settings/DynamicImportTable.h"

#include <windows.h>

#include <cstdint>
#include <vector>

struct ChainedCall {
  HHOOK hook;
  int nCode;
  WPARAM wParam;
  LPARAM lParam;
};

struct HookInstallCall {
  int kind;
  HOOKPROC procedure;
  HINSTANCE module;
  DWORD threadId;
};

class FakeUser32 {
 public:
  FakeUser32();
  ~FakeUser32();
  FakeUser32(const FakeUser32&) = delete;
  FakeUser32& operator=(const FakeUser32&) = delete;

  std::vector<std::vector<INPUT>> sendInputCalls;  // the events of every SendInput call
  std::vector<ChainedCall> chainedCalls;
  std::vector<HookInstallCall> installCalls;
  std::vector<HHOOK> unhookCalls;
  LRESULT chainResult = 0;        // what the fake CallNextHookEx answers
  HHOOK installResult = nullptr;  // what the fake SetWindowsHookExW answers
  int insertLimit = -1;           // SendInput takes at most this many events of its first call (-1: all)

 private:
  DynamicImportEntry savedTable_[kUser32ImportCount];
  HHOOK savedHook_;
  std::int32_t savedCtrlCombo_;
};
