// The GDI+ flat interface, as gdiplus.dll exports it, with owners for its objects.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <algorithm>
#include <memory>

// The platform's headers expect min and max, which NOMINMAX keeps out of the global namespace.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace gdip = Gdiplus::DllExports;

struct GdiplusImageDeleter {
  void operator()(Gdiplus::GpImage* image) const { gdip::GdipDisposeImage(image); }
};
struct GdiplusGraphicsDeleter {
  void operator()(Gdiplus::GpGraphics* graphics) const { gdip::GdipDeleteGraphics(graphics); }
};

using GdiplusBitmapPtr = std::unique_ptr<Gdiplus::GpBitmap, GdiplusImageDeleter>;
using GdiplusGraphicsPtr = std::unique_ptr<Gdiplus::GpGraphics, GdiplusGraphicsDeleter>;
