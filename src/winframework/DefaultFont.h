// The font of every framework window: the stock GUI font at 9 points of the window's DPI, so that
// text keeps its size in inches on every display scale.
#pragma once

#include <windows.h>

// 9 points at logPixelsY dots per inch: -trunc(logPixelsY * 9.0 / 72.0).
LONG DefaultFontHeight(int logPixelsY);
// The stock DEFAULT_GUI_FONT with the 9-point height of dpi; the caller owns the font.
HFONT CreateDefaultFont(UINT dpi);
