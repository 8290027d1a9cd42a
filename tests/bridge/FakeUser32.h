// Recording stand-ins for the three user32 functions the bridge calls through g_user32Imports.
// While a FakeUser32 lives, the table points at them and the bridge's globals start cleared;
// everything is put back when it goes.
#pragma once

#include "KeyEventRecord.h"
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

  std::vector<KeyEventRecord> keyEvents;
  std::vector<ChainedCall> chainedCalls;
  std::vector<HookInstallCall> installCalls;
  LRESULT chainResult = 0;           // what the fake CallNextHookEx answers
  HHOOK installResult = nullptr;     // what the fake SetWindowsHookExW answers

 private:
  DynamicImportEntry savedTable_[kUser32ImportCount];
  HHOOK savedHook_;
  std::int64_t savedHandler_;
  std::int32_t savedCtrlCombo_;
};
