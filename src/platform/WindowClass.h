// Window classes whose procedure is the layer's: registered once per name, on first use.
#pragma once

#include <windows.h>

// Registers className (an empty or null name registers "VolWindow") for the current application's
// instance unless it is registered already. True when the class exists afterwards.
bool RegisterLayerWindowClass(const wchar_t* className, UINT classStyle, HCURSOR cursor, HBRUSH background,
                              HICON icon);
