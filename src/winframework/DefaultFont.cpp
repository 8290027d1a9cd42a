#include "winframework/DefaultFont.h"

LONG DefaultFontHeight(int logPixelsY) {
  return -static_cast<LONG>(static_cast<double>(logPixelsY) * 9.0 / 72.0);
}

HFONT CreateDefaultFont() {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  const HDC screen = GetDC(nullptr);
  const int logPixelsY = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  font.lfHeight = DefaultFontHeight(logPixelsY);
  return CreateFontIndirectW(&font);
}
