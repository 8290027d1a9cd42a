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
