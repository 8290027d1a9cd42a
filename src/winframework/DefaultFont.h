// The font of every framework window, and the display scale computed at start. Layout is in plain
// pixels: the program declares no DPI awareness, so the system scales windows as a whole.
#pragma once

#include <windows.h>

// 9 points on a screen of logPixelsY dots per inch: -trunc(logPixelsY * 9.0 / 72.0).
LONG DefaultFontHeight(int logPixelsY);
// The stock DEFAULT_GUI_FONT with the 9-point height of the screen; the caller owns the font.
HFONT CreateDefaultFont();
