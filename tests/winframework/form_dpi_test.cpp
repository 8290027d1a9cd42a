// Layout in 96-dpi design units: the scaling of lengths, and a form whose children were created from
// design rectangles laid out again for each new DPI (WM_DPICHANGED, sent here: this Wine has one DPI
// for the whole desktop). The form's own layout at other DPIs is tested with the main form in a prefix
// of its own (tests/mainwindow/main_form_dpi_test.cpp).
#include "support/WindowTestSupport.h"
#include "winframework/Buttons.h"
#include "winframework/DpiScaling.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/Label.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(DesignUnits, ScaleToTheDpiRoundedHalfAwayFromZero) {
  struct Case {
    int32_t value;
    UINT dpi;
    int32_t scaled;
  };
  const Case table[] = {
      {29, 96, 29},   {29, 120, 36},   {14, 120, 18} /* 17.5 */, {75, 144, 113} /* 112.5 */,
      {256, 192, 512}, {-3, 144, -5} /* -4.5 */, {0, 144, 0},   {29, 0, 29} /* no DPI: unscaled */,
  };
  for (const Case& c : table) {
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
  }
  const RECT place = ScaleDesignRect(29, 14, 112, 30, 120);
  EXPECT_EQ(place.left, 36);
  EXPECT_EQ(place.top, 18);
  EXPECT_EQ(place.right, 36 + 140) << "the width is scaled on its own, not the right edge";
  EXPECT_EQ(place.bottom, 18 + 38);
}

class DesignedChildren : public WindowTest {
 protected:
  static RECT PlaceOf(HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
    return place;
  }
  static LONG FontHeightOf(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
  }
  static void SendDpiChanged(HWND form, UINT dpi, const RECT& suggested) {
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }
};

TEST_F(DesignedChildren, FollowEveryNewDpiFromTheirDesignWithNewFontsAndAGoneWindowIsLeftOut) {
  DesignedForm form;
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  ASSERT_EQ(form.layoutDpi, 96u) << "this display has 96 dots per inch";
  auto* check = new CVolCheckBox();
  check->SetControlText(L"启用组合键(Ctrl+组合键)");
  CVolWinCreateInfo checkInfo = ChildCreateInfo(form, 29, 46, 184, 16, 103);
  ASSERT_EQ(form.CreateDesignedChild(*check, checkInfo), 1);
  CVolPushButton button;
  button.SetControlText(L"保存");
  CVolWinCreateInfo buttonInfo = ChildCreateInfo(form, 157, 6, 88, 32, 102);
  ASSERT_EQ(form.CreateDesignedChild(button, buttonInfo), 1);
  const HWND window = form.Handle();
  EXPECT_EQ(PlaceOf(button.Handle()).left, 157) << "at 96 dpi the design is the pixels";
  const HFONT fontAt96 = button.Wrapper()->Font();

  const RECT suggested{50, 60, 50 + 600, 60 + 250};
  SendDpiChanged(window, 192, suggested);
  RECT now{};
  GetWindowRect(window, &now);
  EXPECT_EQ(now.left, 50);
  EXPECT_EQ(now.top, 60);
  EXPECT_EQ(now.right, 650);
  EXPECT_EQ(now.bottom, 310);
  EXPECT_EQ(form.layoutDpi, 192u);
  RECT place = PlaceOf(check->Handle());
  EXPECT_EQ(place.left, 58);
  EXPECT_EQ(place.top, 92);
  EXPECT_EQ(place.right, 58 + 368);
  EXPECT_EQ(place.bottom, 92 + 32);
  EXPECT_EQ(PlaceOf(button.Handle()).left, 314);
  EXPECT_EQ(FontHeightOf(check->Handle()), -24);
  EXPECT_EQ(FontHeightOf(button.Handle()), -24);
  EXPECT_EQ(button.Wrapper()->Font(), reinterpret_cast<HFONT>(SendMessageW(button.Handle(), WM_GETFONT, 0, 0)));
  EXPECT_EQ(GetObjectType(fontAt96), 0u) << "the font of the old DPI is deleted with its replacement";

  // A child whose window went before the form: the form leaves what is left of it alone.
  const HWND gone = check->Handle();
  DestroyWindow(gone);
  SendDpiChanged(window, 120, suggested);
  EXPECT_EQ(check->Wrapper()->FontDpi(), 192u) << "the form still laid out a child whose window is gone";
  EXPECT_EQ(PlaceOf(button.Handle()).left, 196);
  EXPECT_EQ(FontHeightOf(button.Handle()), -15);
  CVolObject::Delete(check);

  // Back at 96 every length is the design again: each layout starts from it, never from the last.
  SendDpiChanged(window, 96, suggested);
  place = PlaceOf(button.Handle());
  EXPECT_EQ(place.left, 157);
  EXPECT_EQ(place.top, 6);
  EXPECT_EQ(place.right, 157 + 88);
  EXPECT_EQ(place.bottom, 6 + 32);
  EXPECT_EQ(FontHeightOf(button.Handle()), -12);
}

TEST_F(DesignedChildren, ALabelFollowsTheDpiLikeTheCheckBoxBesideIt) {
  DesignedForm form(256, 80);
  CVolWinCreateInfo info;
  ASSERT_EQ(form.Create(info), 1);
  CVolCheckBox check;
  check.SetControlText(L"只响应无线按钮");
  CVolWinCreateInfo checkInfo = ChildCreateInfo(form, 29, 58, 110, 16, 104);
  ASSERT_EQ(form.CreateDesignedChild(check, checkInfo), 1);
  CVolLabel label;
  label.SetControlText(L"Wine HID mouse（未连接）");
  CVolWinCreateInfo labelInfo = ChildCreateInfo(form, 141, 59, 110, 14, 105);
  ASSERT_EQ(form.CreateDesignedChild(label, labelInfo), 1);
  const HFONT fontAt96 = label.Wrapper()->Font();

  const RECT suggested{40, 40, 40 + 400, 40 + 180};
  SendDpiChanged(form.Handle(), 144, suggested);
  const RECT place = PlaceOf(label.Handle());
  EXPECT_EQ(place.left, 212);  // 211.5
  EXPECT_EQ(place.top, 89);    // 88.5
  EXPECT_EQ(place.right, 212 + 165);
  EXPECT_EQ(place.bottom, 89 + 21);
  EXPECT_EQ(PlaceOf(check.Handle()).top, 87);
  EXPECT_EQ(FontHeightOf(label.Handle()), -18);
  EXPECT_EQ(FontHeightOf(label.Handle()), FontHeightOf(check.Handle()));
  EXPECT_EQ(label.Wrapper()->Font(), reinterpret_cast<HFONT>(SendMessageW(label.Handle(), WM_GETFONT, 0, 0)));
  EXPECT_EQ(GetObjectType(fontAt96), 0u) << "the label's font of the old DPI is deleted with its replacement";
  EXPECT_STREQ(label.GetControlText().GetText(), L"Wine HID mouse（未连接）");
}

}  // namespace
