// Named events as a test sees them from outside, such as the single-instance guard's.
#pragma once

#include "settings/KernelHandle.h"

#include <windows.h>

// True while some process holds an event of that name.
inline bool EventExists(const wchar_t* name) {
  return static_cast<bool>(KernelHandle(OpenEventW(SYNCHRONIZE, FALSE, name)));
}
