// Image lists cut from horizontal strips of square pictures.
#pragma once

#include <windows.h>

#include <commctrl.h>

// An image list whose images are as high as strip and as wide as its height rounded up to even,
// one image per such square of the strip, with magenta (0xFF00FF) pixels masked out. Null when the
// strip is not a bitmap, has no height, or the list cannot be built. The caller owns the list; the
// strip stays the caller's.
HIMAGELIST CreateImageListFromStrip(HBITMAP strip);
