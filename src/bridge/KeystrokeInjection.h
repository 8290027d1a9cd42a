// The button handler: a middle-button press sends the configured key stroke, wrapped in Ctrl when
// g_ctrlCombo is 1.
#pragma once

#include "bridge/KeyEventSink.h"
#include "settings/SettingsReader.h"

#include <cstdint>

// 1: the key goes with Ctrl; any other value: alone. Kept up to date by the main form.
extern std::int32_t g_ctrlCombo;

// A code that names a real key: 1 to 254. Anything else (0 for "no key" or text without digits,
// negative or larger codes) would press a key nobody chose, so it sends nothing.
constexpr bool IsUsableVirtualKey(std::int32_t code) { return code >= 1 && code <= 254; }

// On a middle-button press, reads "xrcode" (default "32") through settings and sends
// Ctrl down, key down, Ctrl up, key up when ctrlCombo is 1, else key down, key up.
// Every other button event sends nothing.
void InjectKeystrokeForButton(int button, int action, std::int32_t ctrlCombo, const SettingsReader& settings,
                              KeyEventSink& keys);

// The ButtonHandler registered by InstallMouseHook: the registry and the table's keybd_event.
void OnMouseButton(int button, int action, std::intptr_t reserved);
