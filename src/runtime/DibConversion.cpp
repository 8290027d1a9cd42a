#include "runtime/DibConversion.h"

#include "runtime/DibImage.h"
#include "runtime/GdiplusApi.h"

#include <cstring>
#include <vector>

namespace {

using Gdiplus::PixelFormat;

struct TargetFormat {
  PixelFormat format;
  bool alpha;
};

TargetFormat ChooseTarget(PixelFormat source) {
  if (Gdiplus::IsAlphaPixelFormat(source)) return {PixelFormat32bppARGB, true};
  if ((source & PixelFormatGDI) != 0 && Gdiplus::GetPixelFormatSize(source) != 32) {
    // A 16-bit section without bit fields is 5-5-5; 5-6-5 pixels copied into it as they are would
    // show wrong colours, so they are drawn (converted) instead.
    if (source == PixelFormat16bppRGB565) return {PixelFormat16bppRGB555, false};
    return {source, false};
  }
  return {PixelFormat24bppRGB, false};
}

// BITMAPINFO with room for a full colour table.
struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

HBITMAP CreateBottomUpSection(int width, int height, int depth) {
  DibHeader info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;  // positive: bottom-up
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(depth);
  info.header.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
}

class MemoryDc {
public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

private:
  HDC dc_;
};

bool CopyPalette(Gdiplus::GpBitmap* source, const DibImage& dib) {
  INT size = 0;
  if (gdip::GdipGetImagePaletteSize(source, &size) != Gdiplus::Ok ||
      size < static_cast<INT>(sizeof(Gdiplus::ColorPalette))) {
    return false;
  }
  std::vector<BYTE> buffer(static_cast<size_t>(size));
  auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(buffer.data());
  if (gdip::GdipGetImagePalette(source, palette, size) != Gdiplus::Ok) return false;
  const UINT count = palette->Count;
  if (count < 1 || count > 256) return false;
  // The palette's entries follow its header; a short buffer would mean a malformed answer.
  if (offsetof(Gdiplus::ColorPalette, Entries) + count * sizeof(Gdiplus::ARGB) > buffer.size()) return false;
  RGBQUAD table[256] = {};
  for (UINT i = 0; i < count; ++i) {
    const Gdiplus::ARGB argb = palette->Entries[i];
    table[i].rgbRed = static_cast<BYTE>(argb >> 16);
    table[i].rgbGreen = static_cast<BYTE>(argb >> 8);
    table[i].rgbBlue = static_cast<BYTE>(argb);
    table[i].rgbReserved = 0;
  }
  MemoryDc dc;
  if (dc.get() == nullptr) return false;
  HGDIOBJ old = SelectObject(dc.get(), dib.bitmap);
  if (old == nullptr) return false;
  const UINT set = SetDIBColorTable(dc.get(), 0, count, table);
  SelectObject(dc.get(), old);
  return set == count;
}

bool CopyScanLines(Gdiplus::GpBitmap* source, PixelFormat format, const DibImage& dib) {
  Gdiplus::Rect all(0, 0, dib.width, dib.height);
  Gdiplus::BitmapData data{};
  if (gdip::GdipBitmapLockBits(source, &all, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok) return false;
  const size_t lineBytes = (static_cast<size_t>(dib.bitsPerPixel) * dib.width + 7) / 8;
  const auto* from = static_cast<const BYTE*>(data.Scan0);
  for (int32_t y = 0; y < dib.height; ++y) {
    std::memcpy(dib.ScanLine(y), from + static_cast<intptr_t>(y) * data.Stride, lineBytes);
  }
  gdip::GdipBitmapUnlockBits(source, &data);
  return true;
}

bool DrawInto(Gdiplus::GpBitmap* source, PixelFormat format, const DibImage& dib) {
  Gdiplus::GpBitmap* rawTarget = nullptr;
  if (gdip::GdipCreateBitmapFromScan0(dib.width, dib.height, dib.stride, format, static_cast<BYTE*>(dib.bits),
                                      &rawTarget) != Gdiplus::Ok) {
    return false;
  }
  GdiplusBitmapPtr target(rawTarget);
  Gdiplus::GpGraphics* rawGraphics = nullptr;
  if (gdip::GdipGetImageGraphicsContext(target.get(), &rawGraphics) != Gdiplus::Ok) return false;
  GdiplusGraphicsPtr graphics(rawGraphics);
  // Source pixels replace the target's, alpha included, instead of being blended onto it.
  if (gdip::GdipSetCompositingMode(graphics.get(), Gdiplus::CompositingModeSourceCopy) != Gdiplus::Ok) return false;
  return gdip::GdipDrawImageRectI(graphics.get(), source, 0, 0, dib.width, dib.height) == Gdiplus::Ok;
}

void Premultiply(const DibImage& dib) {
  for (int32_t y = 0; y < dib.height; ++y) {
    BYTE* pixel = dib.ScanLine(y);
    for (int32_t x = 0; x < dib.width; ++x, pixel += 4) {
      const int alpha = pixel[3];
      if (alpha == 255) continue;
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<BYTE>(MulDiv(pixel[c], alpha, 255));
    }
  }
}

}  // namespace

HBITMAP ConvertGdiplusBitmapToDib(Gdiplus::GpBitmap* source) {
  if (source == nullptr) return nullptr;
  PixelFormat format = 0;
  if (gdip::GdipGetImagePixelFormat(source, &format) != Gdiplus::Ok) return nullptr;
  const TargetFormat target = ChooseTarget(format);
  const int depth = static_cast<int>(Gdiplus::GetPixelFormatSize(target.format));

  UINT width = 0;
  UINT height = 0;
  if (gdip::GdipGetImageWidth(source, &width) != Gdiplus::Ok ||
      gdip::GdipGetImageHeight(source, &height) != Gdiplus::Ok || width == 0 || height == 0 ||
      width > 0x7FFFFFFFu / 32 || height > 0x7FFFFFFFu) {
    return nullptr;
  }
  DibImage dib;
  if (!dib.Attach(CreateBottomUpSection(static_cast<int>(width), static_cast<int>(height), depth)) ||
      dib.bits == nullptr) {
    return nullptr;
  }
  dib.alpha = target.alpha ? 1 : 0;

  if (Gdiplus::IsIndexedPixelFormat(format) && !CopyPalette(source, dib)) return nullptr;
  const bool copied = target.format == format ? CopyScanLines(source, format, dib) : DrawInto(source, target.format, dib);
  if (!copied) return nullptr;
  if (dib.alpha) Premultiply(dib);
  return dib.Release();
}
