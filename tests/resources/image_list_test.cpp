// Image lists cut from strips of square pictures.
#include "runtime/ImageList.h"

#include <gtest/gtest.h>

#include "TestImageFiles.h"

namespace {

// A 24-bit section filled with one colour.
HBITMAP CreateStrip(int width, int height, COLORREF colour) {
  HBITMAP strip = CreateTestSection(width, height, 24);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, strip);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all = {0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  return strip;
}

TEST(ImageList, CutsOneImagePerSquareOfTheStrip) {
  struct Case {
    int width;
    int height;
    int images;
    int imageWidth;
  };
  const Case table[] = {
      {64, 16, 4, 16},
      {16, 16, 1, 16},
      {45, 15, 2, 16},  // odd heights give images one pixel wider: 15 high, 16 wide
      {8, 16, 0, 16},   // narrower than one image: an empty list
  };
  for (const Case& c : table) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    HBITMAP strip = CreateStrip(c.width, c.height, RGB(0, 128, 255));
    HIMAGELIST list = CreateImageListFromStrip(strip);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), c.images);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, c.imageWidth);
    EXPECT_EQ(cy, c.height);
    EXPECT_EQ(GetObjectType(strip), static_cast<DWORD>(OBJ_BITMAP));  // the strip stays the caller's
    ImageList_Destroy(list);
    DeleteObject(strip);
  }
}

TEST(ImageList, MasksMagentaPixels) {
  HBITMAP strip = CreateStrip(32, 16, RGB(255, 0, 255));
  {  // the second image's top-left pixel is not magenta
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    SetPixel(dc, 16, 0, RGB(10, 200, 30));
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  HIMAGELIST list = CreateImageListFromStrip(strip);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(ImageList_GetImageCount(list), 2);

  HBITMAP canvas = CreateStrip(16, 16, RGB(255, 255, 255));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, canvas);
  ASSERT_TRUE(ImageList_Draw(list, 1, dc, 0, 0, ILD_TRANSPARENT));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(10, 200, 30));
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));  // magenta let the white canvas through
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(canvas);
  ImageList_Destroy(list);
  DeleteObject(strip);
}

TEST(ImageList, RefusesWhatIsNotABitmap) {
  EXPECT_EQ(CreateImageListFromStrip(nullptr), nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(CreateImageListFromStrip(reinterpret_cast<HBITMAP>(brush)), nullptr);
  DeleteObject(brush);
}

}  // namespace
