// The DibImage working record: how it describes a section, and who owns the bitmap.
#include "runtime/DibImage.h"

#include <gtest/gtest.h>

#include "TestImageFiles.h"

namespace {

COLORREF PixelSeenByGdi(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

TEST(DibImage, PointsAtTheTopScanLineOfABottomUpSection) {
  DibImage dib;
  ASSERT_TRUE(dib.Attach(CreateTestSection(5, 3, 24)));
  EXPECT_EQ(dib.width, 5);
  EXPECT_EQ(dib.height, 3);
  EXPECT_EQ(dib.bitsPerPixel, 24);
  EXPECT_EQ(dib.stride, -16);  // 5 pixels of 24 bits: 15 bytes, padded to 16
  EXPECT_EQ(dib.isSection, 1);
  EXPECT_EQ(dib.alpha, 0);
  // Blue-green-red bytes written at the top-left and bottom-right through the record.
  uint8_t* topLeft = dib.ScanLine(0);
  topLeft[0] = 0, topLeft[1] = 0, topLeft[2] = 255;
  uint8_t* bottomRight = dib.ScanLine(2) + 4 * 3;
  bottomRight[0] = 255, bottomRight[1] = 0, bottomRight[2] = 0;
  EXPECT_EQ(PixelSeenByGdi(dib.bitmap, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelSeenByGdi(dib.bitmap, 4, 2), RGB(0, 0, 255));
}

TEST(DibImage, DescribesADeviceBitmapWithoutPixelMemory) {
  DibImage dib;
  ASSERT_TRUE(dib.Attach(CreateBitmap(7, 2, 1, 1, nullptr)));
  EXPECT_EQ(dib.isSection, 0);
  EXPECT_EQ(dib.bits, nullptr);
  EXPECT_EQ(dib.width, 7);
  EXPECT_EQ(dib.height, 2);
}

TEST(DibImage, RejectsANullHandle) {
  DibImage dib;
  EXPECT_FALSE(dib.Attach(nullptr));
  EXPECT_EQ(dib.bitmap, nullptr);
}

TEST(DibImage, DiscardDeletesTheBitmapAndReleaseHandsItOut) {
  DibImage discarded;
  ASSERT_TRUE(discarded.Attach(CreateTestSection(2, 2, 32)));
  HBITMAP deleted = discarded.bitmap;
  discarded.Discard();
  EXPECT_EQ(GetObjectType(deleted), 0u);
  EXPECT_EQ(discarded.bitmap, nullptr);
  EXPECT_EQ(discarded.bits, nullptr);
  EXPECT_EQ(discarded.width, 0);
  EXPECT_EQ(discarded.stride, 0);
  EXPECT_EQ(discarded.isSection, 0);

  HBITMAP handed = nullptr;
  {
    DibImage released;
    ASSERT_TRUE(released.Attach(CreateTestSection(2, 2, 32)));
    released.alpha = 1;
    handed = released.Release();
    EXPECT_EQ(released.bitmap, nullptr);
    EXPECT_EQ(released.alpha, 0);
  }  // the record's end must leave the handed-out bitmap alone
  EXPECT_EQ(GetObjectType(handed), static_cast<DWORD>(OBJ_BITMAP));
  DeleteObject(handed);

  HBITMAP owned = nullptr;
  {
    DibImage scoped;
    ASSERT_TRUE(scoped.Attach(CreateTestSection(2, 2, 32)));
    owned = scoped.bitmap;
  }
  EXPECT_EQ(GetObjectType(owned), 0u);
}

}  // namespace
