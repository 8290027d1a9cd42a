#include "winframework/DefaultFont.h"

LONG DefaultFontHeight(int logPixelsY) {
  return -static_cast<LONG>(static_cast<double>(logPixelsY) * 9.0 / 72.0);
}

HFONT CreateDefaultFont(UINT dpi) {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = DefaultFontHeight(static_cast<int>(dpi));
  return CreateFontIndirectW(&font);
}
