#include "settings/DynamicImportTable.h"

DynamicImportEntry g_user32Imports[] = {
    {L"User32.dll", "GetWindowThreadProcessId", nullptr},
    {L"", "CallNextHookEx", nullptr},
    {L"", "SetWindowsHookExW", nullptr},
    {L"", "SendInput", nullptr},
    {L"", "UnhookWindowsHookEx", nullptr},
    {nullptr, nullptr, nullptr},
};

static_assert(sizeof(g_user32Imports) / sizeof(g_user32Imports[0]) == kUser32ImportCount + 1,
              "one row per named index, then the end row");

DynamicImportEntry g_hidImports[] = {
    {L"hid.dll", "HidD_GetAttributes", nullptr},
    {L"", "HidD_GetProductString", nullptr},
    {nullptr, nullptr, nullptr},
};

static_assert(sizeof(g_hidImports) / sizeof(g_hidImports[0]) == kHidImportCount + 1,
              "one row per named index, then the end row");
