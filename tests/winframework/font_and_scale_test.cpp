// The default font of framework windows (9 points of the screen, one font per window wrapper) and
// the display scale.
#include "support/WindowTestSupport.h"
#include "winframework/DefaultFont.h"
#include "winframework/DisplayScale.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(DefaultFont, NinePointsOfTheScreenTruncated) {
  EXPECT_EQ(DefaultFontHeight(96), -12);
  EXPECT_EQ(DefaultFontHeight(120), -15);
  EXPECT_EQ(DefaultFontHeight(144), -18);
  EXPECT_EQ(DefaultFontHeight(100), -12) << "12.5 truncated toward zero";
}

TEST(DefaultFont, KeepsEverythingButTheHeightOfTheStockGuiFont) {
  LOGFONTW stock{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
  GdiObject<HFONT> font(CreateDefaultFont(120));
  LOGFONTW made{};
  ASSERT_EQ(GetObjectW(font.Get(), sizeof made, &made), static_cast<int>(sizeof made));
  EXPECT_EQ(made.lfHeight, -15) << "9 points at the DPI asked for";
  EXPECT_STREQ(made.lfFaceName, stock.lfFaceName);
  EXPECT_EQ(made.lfWeight, stock.lfWeight);
  EXPECT_EQ(made.lfCharSet, stock.lfCharSet);
}

using WrapperFont = WindowTest;

TEST_F(WrapperFont, EachWindowGetsItsOwnFontWhichGoesWithItsWrapper) {
  auto* first = new DesignedForm();
  auto* second = new DesignedForm();
  CVolWinCreateInfo info;
  ASSERT_EQ(first->Create(info), 1);
  CVolWinCreateInfo other;
  ASSERT_EQ(second->Create(other), 1);
  const HFONT firstFont = first->Wrapper()->Font();
  const HFONT secondFont = second->Wrapper()->Font();
  EXPECT_EQ(GetObjectType(firstFont), static_cast<DWORD>(OBJ_FONT));
  EXPECT_NE(firstFont, secondFont);
  LOGFONTW font{};
  GetObjectW(firstFont, sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -12) << "this display has 96 dots per inch";

  CVolObject::Delete(first);
  EXPECT_EQ(GetObjectType(firstFont), 0u) << "deleted with its wrapper";
  EXPECT_EQ(GetObjectType(secondFont), static_cast<DWORD>(OBJ_FONT));
  CVolObject::Delete(second);
}

TEST(DisplayScale, NeverBelowOne) {
  EXPECT_DOUBLE_EQ(DisplayScaleFromDpi(72), 1.0);
  EXPECT_DOUBLE_EQ(DisplayScaleFromDpi(0), 1.0);
  EXPECT_DOUBLE_EQ(DisplayScaleFromDpi(96), 1.0);
  EXPECT_DOUBLE_EQ(DisplayScaleFromDpi(120), 1.25);
  EXPECT_DOUBLE_EQ(DisplayScaleFromDpi(192), 2.0);
}

TEST(DisplayScale, OfThisDisplayFollowsItsDotsPerInch) {
  const HDC screen = GetDC(GetDesktopWindow());
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(GetDesktopWindow(), screen);
  EXPECT_DOUBLE_EQ(ComputeDisplayScale(), DisplayScaleFromDpi(dpi));
}

}  // namespace
