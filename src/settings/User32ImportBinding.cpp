#include "settings/User32ImportBinding.h"

#include "settings/DynamicImportTable.h"

void BindUser32ImportsFromImportLibrary() {
  g_user32Imports[kUser32GetWindowThreadProcessId].address = reinterpret_cast<void*>(&::GetWindowThreadProcessId);
  g_user32Imports[kUser32CallNextHookEx].address = reinterpret_cast<void*>(&::CallNextHookEx);
  g_user32Imports[kUser32SetWindowsHookExW].address = reinterpret_cast<void*>(&::SetWindowsHookExW);
  g_user32Imports[kUser32KeybdEvent].address = reinterpret_cast<void*>(&::keybd_event);
}
