// The table of system functions that the program calls by address rather than through its import
// table. A row with an empty library name takes its function from the library of the row before;
// a row with a null library name ends the table.
#pragma once

#include <windows.h>

struct DynamicImportEntry {
  const wchar_t* library;
  const char* function;  // exported name (UTF-8); "@n" names ordinal n
  void* address;         // null until the table is filled
};

// Positions in g_user32Imports; callers reach each function by its position.
enum User32Import : int {
  kUser32GetWindowThreadProcessId = 0,  // resolved, never called through the table
  kUser32CallNextHookEx = 1,
  kUser32SetWindowsHookExW = 2,
  kUser32SendInput = 3,
  kUser32UnhookWindowsHookEx = 4,
  kUser32ImportCount = 5,
};

extern DynamicImportEntry g_user32Imports[];

// Positions in g_hidImports: what a device tells of itself (hid.dll, loaded when first needed).
enum HidImport : int {
  kHidGetAttributes = 0,
  kHidGetProductString = 1,
  kHidImportCount = 2,
};

extern DynamicImportEntry g_hidImports[];

// HIDD_ATTRIBUTES.
struct HidAttributes {
  ULONG size;
  USHORT vendorId;
  USHORT productId;
  USHORT versionNumber;
};
using HidGetAttributesFunction = BOOLEAN(WINAPI*)(HANDLE, HidAttributes*);
using HidGetProductStringFunction = BOOLEAN(WINAPI*)(HANDLE, PVOID, ULONG);

using CallNextHookExFunction = LRESULT(WINAPI*)(HHOOK, int, WPARAM, LPARAM);
using SetWindowsHookExWFunction = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);
using SendInputFunction = UINT(WINAPI*)(UINT, LPINPUT, int);
using UnhookWindowsHookExFunction = BOOL(WINAPI*)(HHOOK);

// The filled address of one row, typed as the function it holds.
template <typename Function>
Function User32ImportAddress(User32Import index) {
  return reinterpret_cast<Function>(g_user32Imports[index].address);
}
template <typename Function>
Function HidImportAddress(HidImport index) {
  return reinterpret_cast<Function>(g_hidImports[index].address);
}
