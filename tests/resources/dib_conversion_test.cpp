// Decoding encoded pictures from memory into DIB sections: target depth, pixels, palettes and
// premultiplied alpha.
#include "runtime/DibConversion.h"
#include "runtime/GdiplusApi.h"
#include "runtime/GdiplusSession.h"
#include "runtime/ImageLoading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestImageFiles.h"

namespace {

struct ConversionCase {
  const char* name;
  Bytes file;
  int width;
  int height;
  int expectedBitsPerPixel;
  Bytes expectedRows;  // packed top first, as in the section
  std::vector<RGBQUAD> expectedColours = {};
};

RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

std::vector<ConversionCase> ConversionCases() {
  const std::vector<RGBQUAD> fourColours = {Quad(255, 0, 0), Quad(0, 128, 0), Quad(0, 0, 255), Quad(250, 250, 250)};
  return {
      // Half-transparent red is premultiplied (255 * 128 / 255 = 128); opaque pixels keep their
      // colour; a transparent pixel loses it.
      {"png rgba",
       EncodePng(2, 2, 8, 6, {255, 0, 0, 128, /**/ 0, 255, 0, 255, /**/ 10, 20, 30, 255, /**/ 200, 100, 50, 0}), 2, 2,
       32, {0, 0, 128, 128, /**/ 0, 255, 0, 255, /**/ 30, 20, 10, 255, /**/ 0, 0, 0, 0}},
      // 16 bits a channel: alpha 0x8080 is 128 at 8 bits; full red premultiplied gives 128.
      {"png rgba 16-bit",
       EncodePng(2, 1, 16, 6, {0xFF, 0xFF, 0, 0, 0, 0, 0x80, 0x80, /**/ 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF}), 2, 1, 32,
       {0, 0, 128, 128, /**/ 0, 255, 0, 255}},
      {"png rgb", EncodePng(3, 1, 8, 2, {255, 0, 0, /**/ 0, 255, 0, /**/ 1, 2, 3}), 3, 1, 24,
       {0, 0, 255, /**/ 0, 255, 0, /**/ 3, 2, 1}},
      {"bmp 24-bit", EncodeBmp(3, 2, 24, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, /**/ 10, 11, 12, 13, 14, 15, 16, 17, 18}), 3, 2,
       24, {1, 2, 3, 4, 5, 6, 7, 8, 9, /**/ 10, 11, 12, 13, 14, 15, 16, 17, 18}},
      // 32 bits without alpha is not kept at 32: it becomes 24-bit.
      {"bmp 32-bit without alpha", EncodeBmp(2, 1, 32, {}, {1, 2, 3, 0, /**/ 200, 100, 50, 0}), 2, 1, 24,
       {1, 2, 3, /**/ 200, 100, 50}},
      {"bmp 8-bit indexed", EncodeBmp(3, 2, 8, fourColours, {0, 1, 2, /**/ 3, 2, 1}), 3, 2, 8, {0, 1, 2, 3, 2, 1},
       fourColours},
      {"bmp 4-bit indexed", EncodeBmp(5, 1, 4, fourColours, {0x01, 0x23, 0x10}), 5, 1, 4, {0x01, 0x23, 0x10},
       fourColours},
      // Ten pixels of one bit: two bytes a line.
      {"bmp 1-bit indexed", EncodeBmp(10, 2, 1, {Quad(0, 0, 0), Quad(255, 255, 255)}, {0xA5, 0x40, /**/ 0x5A, 0x80}),
       10, 2, 1, {0xA5, 0x40, /**/ 0x5A, 0x80}, {Quad(0, 0, 0), Quad(255, 255, 255)}},
  };
}

// Checks that bitmap is a bottom-up section of the case's size, depth, pixels and colours.
void ExpectSection(HBITMAP bitmap, const ConversionCase& c) {
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmWidth, c.width);
  EXPECT_EQ(section.dsBmih.biHeight, c.height);  // positive: bottom-up
  EXPECT_EQ(section.dsBm.bmBitsPixel, c.expectedBitsPerPixel);
  if (section.dsBmih.biCompression == BI_BITFIELDS) {
    // Some systems describe a plain 16-bit section by its (5-5-5) bit fields.
    EXPECT_EQ(c.expectedBitsPerPixel, 16);
    EXPECT_EQ(section.dsBitfields[0], 0x7C00u);
    EXPECT_EQ(section.dsBitfields[1], 0x03E0u);
    EXPECT_EQ(section.dsBitfields[2], 0x001Fu);
  } else {
    EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
  }
  ASSERT_EQ(section.dsBm.bmBitsPixel, c.expectedBitsPerPixel);
  const size_t lineBytes = (static_cast<size_t>(c.expectedBitsPerPixel) * c.width + 7) / 8;
  Bytes rows;
  for (int y = 0; y < c.height; ++y) {
    const BYTE* line = SectionLine(section, y);
    rows.insert(rows.end(), line, line + lineBytes);
  }
  EXPECT_EQ(rows, c.expectedRows);
  if (c.expectedColours.empty()) return;
  RGBQUAD table[256] = {};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const UINT read = GetDIBColorTable(dc, 0, 256, table);
  SelectObject(dc, old);
  DeleteDC(dc);
  ASSERT_GE(read, c.expectedColours.size());
  for (size_t i = 0; i < c.expectedColours.size(); ++i) {
    EXPECT_EQ(table[i].rgbRed, c.expectedColours[i].rgbRed) << "entry " << i;
    EXPECT_EQ(table[i].rgbGreen, c.expectedColours[i].rgbGreen) << "entry " << i;
    EXPECT_EQ(table[i].rgbBlue, c.expectedColours[i].rgbBlue) << "entry " << i;
  }
}

TEST(DibConversion, DecodesFilesIntoBottomUpSectionsOfTheRightFormat) {
  GdiplusSession gdiplus;
  for (const ConversionCase& c : ConversionCases()) {
    SCOPED_TRACE(c.name);
    HBITMAP bitmap = LoadBitmapFromMemory(gdiplus, c.file.data(), static_cast<INT_PTR>(c.file.size()));
    ExpectSection(bitmap, c);
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

// Source formats that decoders seldom produce, built directly as GDI+ bitmaps over raw pixels
// (the case's file holds the source rows, packed top first).
TEST(DibConversion, ConvertsOtherSourceFormats) {
  GdiplusSession gdiplus;
  ASSERT_TRUE(gdiplus.EnsureStarted());
  struct SourceCase {
    Gdiplus::PixelFormat format;
    ConversionCase expected;
  };
  const SourceCase table[] = {
      // 5-6-5 pixels (red, green, blue, white) arrive as 5-5-5, the layout of a plain 16-bit section.
      {PixelFormat16bppRGB565,
       {"16-bit 5-6-5", {0x00, 0xF8, /**/ 0xE0, 0x07, /**/ 0x1F, 0x00, /**/ 0xFF, 0xFF}, 4, 1, 16,
        {0x00, 0x7C, /**/ 0xE0, 0x03, /**/ 0x1F, 0x00, /**/ 0xFF, 0x7F}}},
      {PixelFormat16bppRGB555,
       {"16-bit 5-5-5", {0x00, 0x7C, /**/ 0x34, 0x12}, 2, 1, 16, {0x00, 0x7C, /**/ 0x34, 0x12}}},
      // A one-bit alpha channel makes a 32-bit section with alpha 255 or 0.
      {PixelFormat16bppARGB1555,
       {"16-bit 1-5-5-5", {0x00, 0xFC, /**/ 0x00, 0x7C}, 2, 1, 32, {0, 0, 255, 255, /**/ 0, 0, 0, 0}}},
  };
  for (const SourceCase& s : table) {
    SCOPED_TRACE(s.expected.name);
    Bytes pixels = s.expected.file;
    const int stride = static_cast<int>(pixels.size()) / s.expected.height;
    Gdiplus::GpBitmap* raw = nullptr;
    ASSERT_EQ(gdip::GdipCreateBitmapFromScan0(s.expected.width, s.expected.height, stride, s.format, pixels.data(),
                                              &raw),
              Gdiplus::Ok);
    GdiplusBitmapPtr source(raw);
    HBITMAP bitmap = ConvertGdiplusBitmapToDib(source.get());
    ExpectSection(bitmap, s.expected);
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

TEST(DibConversion, BadBytesGiveNull) {
  GdiplusSession gdiplus;
  const Bytes png = EncodePng(2, 2, 8, 6, Bytes(16, 0x7F));
  const Bytes garbage = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', 0, 1, 2, 3};
  const Bytes truncated(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
  struct Case {
    const char* name;
    const void* bytes;
    INT_PTR count;
  };
  const Case table[] = {
      {"garbage", garbage.data(), static_cast<INT_PTR>(garbage.size())},
      {"truncated png", truncated.data(), static_cast<INT_PTR>(truncated.size())},
      {"no bytes", png.data(), 0},
      {"negative count", png.data(), -1},
      {"null pointer", nullptr, 16},
  };
  for (const Case& c : table) {
    HBITMAP bitmap = LoadBitmapFromMemory(gdiplus, c.bytes, c.count);
    EXPECT_EQ(bitmap, nullptr) << c.name;
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
  // The good bytes still decode after all that.
  HBITMAP good = LoadBitmapFromMemory(gdiplus, png.data(), static_cast<INT_PTR>(png.size()));
  EXPECT_NE(good, nullptr);
  DeleteObject(good);
}

}  // namespace
