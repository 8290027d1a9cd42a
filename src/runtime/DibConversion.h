// Turns a decoded GDI+ bitmap into an ordinary bitmap handle.
#pragma once

#include <windows.h>

namespace Gdiplus {
class GpBitmap;
}

// Converts source into a bottom-up DIB section: 32-bit with premultiplied alpha when the source has
// an alpha channel, the source's own format for other GDI formats below 32 bits (indexed ones with
// their palette), 24-bit otherwise. Returns the section, owned by the caller, or null on failure.
HBITMAP ConvertGdiplusBitmapToDib(Gdiplus::GpBitmap* source);
