// One recorded call of keybd_event.
#pragma once

#include <windows.h>

#include <ostream>

struct KeyEventRecord {
  BYTE virtualKey;
  BYTE scanCode;
  DWORD flags;
  ULONG_PTR extraInfo;
};

inline bool operator==(const KeyEventRecord& a, const KeyEventRecord& b) {
  return a.virtualKey == b.virtualKey && a.scanCode == b.scanCode && a.flags == b.flags &&
         a.extraInfo == b.extraInfo;
}

inline std::ostream& operator<<(std::ostream& out, const KeyEventRecord& e) {
  return out << (e.flags & KEYEVENTF_KEYUP ? "up " : "down ") << int(e.virtualKey) << " (scan " << int(e.scanCode)
             << ", flags " << e.flags << ", extra " << e.extraInfo << ")";
}

inline KeyEventRecord KeyDown(BYTE virtualKey) { return {virtualKey, 0, 0, 0}; }
inline KeyEventRecord KeyUp(BYTE virtualKey) { return {virtualKey, 0, KEYEVENTF_KEYUP, 0}; }
