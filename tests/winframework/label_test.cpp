// The label on a real form: its creation, its text with and without a window, and what it shows,
// read from its own painting (WM_PRINTCLIENT into a bitmap): "&" as written, a long text on one line
// cut with an ellipsis, in the colours the label's adapter answers.
#include "support/WindowTestSupport.h"
#include "winframework/FrameworkTestSupport.h"
#include "winframework/Label.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The pixels of a client area, row by row.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;

  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The smallest rectangle around every pixel that is not background; empty when there is none.
  RECT InkBounds(COLORREF background) const {
    RECT ink{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (At(x, y) == background) continue;
        ink.left = x < ink.left ? x : ink.left;
        ink.top = y < ink.top ? y : ink.top;
        ink.right = x + 1 > ink.right ? x + 1 : ink.right;
        ink.bottom = y + 1 > ink.bottom ? y + 1 : ink.bottom;
      }
    }
    return ink;
  }
};

// Draws into a 32-bit bitmap of width x height through draw(dc) and reads the pixels back.
template <typename Draw>
Picture Paint(int width, int height, Draw draw) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dc == nullptr || bitmap == nullptr) {
    ADD_FAILURE() << "no bitmap to paint into";
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (dc != nullptr) DeleteDC(dc);
    return picture;
  }
  const HGDIOBJ old = SelectObject(dc, bitmap);
  draw(dc);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) {
    const uint32_t bgr = source[i];
    picture.pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return picture;
}

// What the label paints of its client area, its background and colour request included.
Picture PaintOf(const CVolLabel& label) {
  RECT client{};
  GetClientRect(label.Handle(), &client);
  return Paint(client.right, client.bottom, [&](HDC dc) {
    SendMessageW(label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  });
}

class LabelTest : public WindowTest {
 protected:
  void SetUp() override {
    CVolWinCreateInfo info;
    ASSERT_EQ(form.Create(info), 1);
  }
  void TearDown() override {
    if (form.HasWindow()) form.FormAdapter()->DestroyWindow();
    WindowTest::TearDown();
  }

  // A label of the form showing text, at the place of the program's label row.
  void Show(CVolLabel& label, const wchar_t* text, int width = 200, int height = 16) {
    label.SetControlText(text);
    CVolWinCreateInfo info = ChildCreateInfo(form, 29, 56, width, height, 105);
    ASSERT_EQ(label.Create(info), 1);
  }

  static COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }

  DesignedForm form{256, 80};
};

TEST_F(LabelTest, IsAStaticChildWithItsIdStyleRectangleAndFontThatTakesNoFocus) {
  CVolLabel label;
  EXPECT_EQ(label.Wrapper()->style, 0x14000000u | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS);
  EXPECT_STREQ(label.GetClassInfo().name, "rg_n10458::CVolLabel");
  EXPECT_TRUE(label.IsKindOf(CVolWinControl::ClassInfo()));
  EXPECT_FALSE(CVolWinControl().IsKindOf(CVolLabel::ClassInfo()));

  ASSERT_NO_FATAL_FAILURE(Show(label, L"请按一下无线按钮", 184, 16));
  const HWND window = label.Handle();
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  EXPECT_EQ(lstrcmpiW(className, L"Static"), 0);
  EXPECT_EQ(GetParent(window), form.Handle());
  EXPECT_EQ(GetDlgCtrlID(window), 105);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
            0x14000000u | WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS);
  RECT place{};
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 29);
  EXPECT_EQ(place.top, 56);
  EXPECT_EQ(place.right, 29 + 184);
  EXPECT_EQ(place.bottom, 56 + 16);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), label.Wrapper()->Font());
  EXPECT_NE(label.Wrapper()->Font(), nullptr);
  // Tab and the dialog keys pass it by: no tab stop, and it asks for no keys.
  const LRESULT codes = SendMessageW(window, WM_GETDLGCODE, 0, 0);
  EXPECT_NE(codes & DLGC_STATIC, 0);
  EXPECT_EQ(codes & (DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS), 0);
}

TEST_F(LabelTest, TextSetBeforeAndAfterCreationIsReadBackAsWritten) {
  CVolLabel label;
  EXPECT_STREQ(label.GetControlText().GetText(), L"");
  label.SetControlText(L"请按一下无线按钮");
  EXPECT_STREQ(label.GetControlText().GetText(), L"请按一下无线按钮") << "kept until the window exists";
  ASSERT_NO_FATAL_FAILURE(Show(label, label.GetControlText().GetText()));
  wchar_t shown[64] = {};
  GetWindowTextW(label.Handle(), shown, 64);
  EXPECT_STREQ(shown, L"请按一下无线按钮");

  const wchar_t* const texts[] = {L"没有收到按键，请重试", L"Wine HID mouse（未连接）", L"R&D 无线 & 接收器", L""};
  for (const wchar_t* text : texts) {
    label.SetControlText(text);
    EXPECT_STREQ(label.GetControlText().GetText(), text);
    GetWindowTextW(label.Handle(), shown, 64);
    EXPECT_STREQ(shown, text);
  }
  label.SetControlText(nullptr);
  EXPECT_STREQ(label.GetControlText().GetText(), L"") << "no text is an empty label";
}

TEST_F(LabelTest, AnAmpersandIsShownAsWrittenNotAsAMnemonic) {
  // "A&B" shows three characters: B stands right of where it stands in "AB" by the width of "&".
  // As a mnemonic the "&" would vanish and B would stand as in "AB", underlined.
  CVolLabel plain;
  ASSERT_NO_FATAL_FAILURE(Show(plain, L"AB"));
  const RECT plainInk = PaintOf(plain).InkBounds(Face());
  CVolLabel ampersand;
  ASSERT_NO_FATAL_FAILURE(Show(ampersand, L"A&B"));
  const RECT ampersandInk = PaintOf(ampersand).InkBounds(Face());

  const HDC dc = GetDC(ampersand.Handle());
  const HGDIOBJ old = SelectObject(dc, ampersand.Wrapper()->Font());
  SIZE sign{};
  GetTextExtentPoint32W(dc, L"&", 1, &sign);
  SelectObject(dc, old);
  ReleaseDC(ampersand.Handle(), dc);
  ASSERT_GT(plainInk.right, 0) << "the label painted no text";
  EXPECT_EQ(ampersandInk.right - plainInk.right, sign.cx);
  EXPECT_EQ(ampersandInk.bottom, plainInk.bottom) << "nothing underlined";
}

TEST_F(LabelTest, ALongTextStaysOnOneLineCutWithAnEllipsisInTheLabelsColours) {
  // Room for three lines: a label that wrapped would use them.
  constexpr int kWidth = 120;
  constexpr int kHeight = 48;
  const wchar_t* const longName = L"Wireless Receiver USB Combo Mouse Keyboard Button（未连接）";
  CVolLabel label;
  label.LabelAdapter()->textColor = RGB(160, 0, 0);
  ASSERT_NO_FATAL_FAILURE(Show(label, longName, kWidth, kHeight));
  const Picture shown = PaintOf(label);
  ASSERT_EQ(shown.width, kWidth);

  // The same text as one line cut at the end, drawn the system's way on the label's background.
  const Picture oneLine = Paint(kWidth, kHeight, [&](HDC dc) {
    RECT area{0, 0, kWidth, kHeight};
    const HBRUSH face = CreateSolidBrush(Face());
    FillRect(dc, &area, face);
    DeleteObject(face);
    const HGDIOBJ old = SelectObject(dc, label.Wrapper()->Font());
    SetTextColor(dc, RGB(160, 0, 0));
    SetBkColor(dc, Face());
    DrawTextW(dc, longName, -1, &area, DT_LEFT | DT_EXPANDTABS | DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, old);
  });
  const RECT ink = shown.InkBounds(Face());
  TEXTMETRICW metrics{};
  const HDC dc = GetDC(label.Handle());
  const HGDIOBJ old = SelectObject(dc, label.Wrapper()->Font());
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(label.Handle(), dc);
  ASSERT_GT(ink.right, 0) << "the label painted no text";
  EXPECT_LE(ink.bottom, metrics.tmHeight) << "the text went on below its first line";
  EXPECT_LE(ink.right, kWidth);
  EXPECT_TRUE(shown.pixels == oneLine.pixels) << "not the one line with the ellipsis";
  bool textInItsColour = false;
  for (COLORREF pixel : shown.pixels) textInItsColour = textInItsColour || pixel == RGB(160, 0, 0);
  EXPECT_TRUE(textInItsColour) << "the label's colour request was not answered by its adapter";
}

TEST_F(LabelTest, AWrappingLabelShowsANameAndItsNoteOnTwoLines) {
  constexpr int kWidth = 121;
  constexpr int kHeight = 30;
  CVolLabel label;
  label.SetWrapping(true);
  ASSERT_NO_FATAL_FAILURE(Show(label, L"VID_1234 PID_5678（未连接）", kWidth, kHeight));
  EXPECT_EQ(GetWindowLongPtrW(label.Handle(), GWL_STYLE) & SS_ENDELLIPSIS, 0);
  label.SetWrapping(false);  // too late: the window keeps its style
  EXPECT_EQ(GetWindowLongPtrW(label.Handle(), GWL_STYLE) & SS_ENDELLIPSIS, 0);

  TEXTMETRICW metrics{};
  const HDC dc = GetDC(label.Handle());
  const HGDIOBJ old = SelectObject(dc, label.Wrapper()->Font());
  GetTextMetricsW(dc, &metrics);
  SIZE whole{};
  const std::wstring text = L"VID_1234 PID_5678（未连接）";
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &whole);
  SelectObject(dc, old);
  ReleaseDC(label.Handle(), dc);
  ASSERT_GT(whole.cx, kWidth) << "the text would fit on one line: nothing to show";

  const RECT ink = PaintOf(label).InkBounds(Face());
  EXPECT_GT(ink.bottom, metrics.tmHeight) << "the note did not go on to a second line";
  EXPECT_LE(ink.bottom, kHeight);
  EXPECT_LE(ink.right, kWidth);
}

}  // namespace
