// The main form at display scales from 100 % to 200 %: its client size and every control's
// rectangle are the 96-dpi design scaled, its fonts are 9 points of the DPI and every text fits its
// control; the form stays centred; WM_DPICHANGED lays it out again in the suggested rectangle; the
// window and tray icons have the icon sizes of the DPI; the display scale follows the DPI.
//
// Wine reads the DPI (LogPixels) once per process when it starts. So every case runs in a child
// process of this executable, started after LogPixels was set for it and put back afterwards. The
// executable runs in a Wine prefix of its own: the rest of the suite runs in parallel in the
// build's shared prefix and never sees another DPI than 96.
#include "mainwindow/MainForm.h"
#include "settings/DynamicImports.h"
#include "support/HostProcess.h"
#include "support/StoredSettings.h"
#include "support/WindowTestSupport.h"
#include "winframework/DisplayScale.h"
#include "winframework/WinCreateInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Set by --at-dpi=N: this process is a child that runs at that DPI.
UINT g_childDpi = 0;

constexpr UINT kDpis[] = {96, 120, 144, 192};

// A design length (96-dpi units) at dpi, rounded half away from zero.
int Scaled(int value, UINT dpi) { return static_cast<int>(value * static_cast<double>(dpi) / 96.0 + 0.5); }

// ---- The parent: LogPixels set, one child case run.

// HKCU\Control Panel\Desktop "LogPixels" set for the scope's life, then put back as it was.
class LogPixelsScope {
 public:
  explicit LogPixelsScope(UINT dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                    &key_, nullptr);
    DWORD size = sizeof before_;
    DWORD type = 0;
    had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&before_), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
    const DWORD value = dpi;
    set_ = RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
  }
  ~LogPixelsScope() {
    if (had_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before_), sizeof before_);
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }
  LogPixelsScope(const LogPixelsScope&) = delete;
  LogPixelsScope& operator=(const LogPixelsScope&) = delete;
  bool IsSet() const { return set_; }

 private:
  HKEY key_ = nullptr;
  DWORD before_ = 0;
  bool had_ = false;
  bool set_ = false;
};

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// Wine takes each process's DPI from LogPixels; Windows takes it from the display settings, and a
// change there needs a new log-on: a test must not touch the user's value there.
bool RunsUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Runs the child case AtSetDpi.<childCase> in a new process at dpi; it must pass.
void RunAtDpi(UINT dpi, const std::string& childCase) {
  if (!RunsUnderWine()) GTEST_SKIP() << "the DPI of a process can be set only under Wine";
  const LogPixelsScope logPixels(dpi);
  ASSERT_TRUE(logPixels.IsSet());
  const std::wstring arguments = L"--at-dpi=" + std::to_wstring(dpi) + L" --gtest_filter=AtSetDpi." +
                                 std::wstring(childCase.begin(), childCase.end());
  std::unique_ptr<HostProcess> child = HostProcess::Start(OwnPath(), arguments);
  ASSERT_NE(child, nullptr);
  // The output is read while the child runs, so that a long report never fills the pipe.
  const DWORD start = GetTickCount();
  while (child->IsRunning() && GetTickCount() - start < 60000) {
    child->Output();
    Sleep(20);
  }
  const DWORD code = child->WaitForExit(5000);
  const std::string output = child->Output();
  EXPECT_EQ(code, 0u) << output;
  EXPECT_NE(output.find("[       OK ] AtSetDpi." + childCase), std::string::npos) << output;
}

class AtEveryDpi : public testing::TestWithParam<UINT> {};

TEST_P(AtEveryDpi, TheFormIsTheDesignScaledWithNinePointFontsTextsThatFitAndCentred) {
  RunAtDpi(GetParam(), "FormLayout");
}

TEST_P(AtEveryDpi, DpiChangedPutsTheFormInTheSuggestedRectangleAndLaysItOutAgain) {
  RunAtDpi(GetParam(), "DpiChanged");
}

TEST_P(AtEveryDpi, TheTrayIconHasTheSmallIconSizeOfTheDpi) { RunAtDpi(GetParam(), "TrayIcon"); }

INSTANTIATE_TEST_SUITE_P(Dpi, AtEveryDpi, testing::ValuesIn(kDpis),
                         [](const testing::TestParamInfo<UINT>& info) { return std::to_string(info.param); });

// ---- The child: one case at the DPI the parent set.

struct DesignedControl {
  int id;
  int left, top, width, height;
  bool checkBox;
  const wchar_t* widestText;  // the longest text the control shows; null: the text it holds
};
constexpr DesignedControl kControls[] = {
    {CBridgeMainForm::kKeyComboId, 29, 14, 112, 30, false, nullptr},
    {CBridgeMainForm::kSaveButtonId, 157, 6, 88, 32, false, nullptr},
    {CBridgeMainForm::kCtrlCheckId, 29, 46, 184, 16, true, nullptr},
    {CBridgeMainForm::kDeviceCheckId, 29, 68, 104, 16, true, nullptr},
    // A label: no frame, no glyph; its longest fixed text is the learning's end.
    {CBridgeMainForm::kDeviceLabelId, 134, 69, 121, 30, false, L"没有收到按键，请重试"},
};

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

// The control's text measured with the control's own font.
struct Measured {
  SIZE text{};
  LONG lineHeight = 0;
};
Measured Measure(HWND control, const std::wstring& text) {
  Measured measured;
  const HDC dc = GetDC(control);
  const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &measured.text);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  measured.lineHeight = metrics.tmHeight;
  SelectObject(dc, before);
  ReleaseDC(control, dc);
  return measured;
}

RECT PlaceInParent(HWND child) {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || GetIconInfo(icon, &info) == FALSE) return SIZE{0, 0};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return SIZE{bitmap.bmWidth, info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// Every control of the form at dpi: its rectangle the design scaled, its font 9 points of dpi, its
// text within it.
void ExpectControlsAt(HWND form, UINT dpi) {
  const LONG fontHeight = -static_cast<LONG>(dpi * 9 / 72);
  for (const DesignedControl& design : kControls) {
    SCOPED_TRACE("control " + std::to_string(design.id) + " at " + std::to_string(dpi) + " dpi");
    const HWND control = GetDlgItem(form, design.id);
    ASSERT_NE(control, nullptr);
    const RECT place = PlaceInParent(control);
    EXPECT_EQ(place.left, Scaled(design.left, dpi));
    EXPECT_EQ(place.top, Scaled(design.top, dpi));
    EXPECT_EQ(place.right - place.left, Scaled(design.width, dpi));

    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
    EXPECT_EQ(font.lfHeight, fontHeight);

    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (design.id == CBridgeMainForm::kKeyComboId) {
      // The asked-for height is that of the dropped list (at least the class's 160 pixels, and the
      // list as long as its items need under common controls 6); the closed box is as high as its
      // font needs.
      const HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr);
      ASSERT_NE(edit, nullptr);
      RECT editArea{};
      GetClientRect(edit, &editArea);
      const std::wstring shown = TextOf(control);
      EXPECT_FALSE(shown.empty());
      const Measured text = Measure(control, shown);
      EXPECT_LE(text.text.cx, editArea.right) << "the key name is cut";
      EXPECT_LE(text.lineHeight, height);
      continue;
    }
    EXPECT_EQ(height, Scaled(design.height, dpi));
    const Measured text = Measure(control, design.widestText != nullptr ? design.widestText : TextOf(control));
    // A check box draws its glyph (13 pixels at 96 dpi) and a gap before the text; a push button
    // keeps its frame and a margin on both sides; a label draws its text alone.
    const int besideText = design.checkBox ? Scaled(13 + 4, dpi)
                           : design.id == CBridgeMainForm::kDeviceLabelId ? 0
                                                                           : Scaled(2 * 4, dpi);
    EXPECT_LE(text.text.cx + besideText, width) << "the text is cut";
    EXPECT_LE(text.lineHeight, height) << "the text is cut";
  }
}

class AtSetDpi : public testing::Test {
 protected:
  void SetUp() override {
    if (g_childDpi == 0) GTEST_SKIP() << "runs only as a child process at a DPI set by its parent case";
    // Everything below is measured at the DPI the parent set: it must have reached this process.
    const HDC screen = GetDC(nullptr);
    const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(logPixels, static_cast<int>(g_childDpi));
    LoadDynamicImports();
  }

  // The form as the program creates it: hidden by its constructor, its place and size left to it.
  static int32_t CreateForm(CBridgeMainForm& form) {
    CVolWinCreateInfo info;
    const int32_t created = form.Create(info);
    PumpMessages();
    return created;
  }

  StoredSettingsBackup settings_;  // in this prefix only
};

TEST_F(AtSetDpi, FormLayout) {
  const UINT dpi = g_childDpi;
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));  // a first start: shown
  // The display scale computed at start is the scale the first window is laid out at.
  EXPECT_DOUBLE_EQ(ComputeDisplayScale(), std::max(1.0, dpi / 96.0));

  CBridgeMainForm form;
  ASSERT_EQ(CreateForm(form), 1);
  const HWND window = form.Handle();
  EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));

  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, Scaled(256, dpi));
  EXPECT_EQ(client.bottom, Scaled(106, dpi));
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
  LOGFONTW font{};  // the form's own: its window class keeps none to answer WM_GETFONT with
  ASSERT_NE(GetObjectW(form.Wrapper()->Font(), sizeof font, &font), 0);
  EXPECT_EQ(font.lfHeight, -static_cast<LONG>(dpi * 9 / 72));
  ExpectControlsAt(window, dpi);

  // The caption's and Alt+Tab's icons: the small and the big icon size of the DPI.
  const SIZE smallIcon = IconSize(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)));
  const SIZE bigIcon = IconSize(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
  EXPECT_EQ(smallIcon.cx, Scaled(16, dpi));
  EXPECT_EQ(smallIcon.cy, Scaled(16, dpi));
  EXPECT_EQ(bigIcon.cx, Scaled(32, dpi));
  EXPECT_EQ(bigIcon.cy, Scaled(32, dpi));
}

TEST_F(AtSetDpi, DpiChanged) {
  const UINT dpi = g_childDpi;
  // Up by half from 100 % and 125 %, back down from the others.
  const UINT next = dpi == 96 ? 144 : dpi == 120 ? 192 : dpi == 144 ? 96 : 120;
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  CBridgeMainForm form;
  ASSERT_EQ(CreateForm(form), 1);
  const HWND window = form.Handle();

  // The rectangle the system suggests on the new monitor: elsewhere, and of the new size.
  RECT outer{};
  GetWindowRect(window, &outer);
  RECT client{};
  GetClientRect(window, &client);
  const int frameWidth = (outer.right - outer.left) - client.right;
  const int frameHeight = (outer.bottom - outer.top) - client.bottom;
  const RECT suggested{40, 30, 40 + Scaled(256, next) + frameWidth, 30 + Scaled(106, next) + frameHeight};
  EXPECT_EQ(SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested)), 0);
  PumpMessages();

  RECT now{};
  GetWindowRect(window, &now);
  EXPECT_EQ(now.left, suggested.left);
  EXPECT_EQ(now.top, suggested.top);
  EXPECT_EQ(now.right, suggested.right);
  EXPECT_EQ(now.bottom, suggested.bottom);
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, Scaled(256, next));
  EXPECT_EQ(client.bottom, Scaled(106, next));
  ExpectControlsAt(window, next);
  const SIZE smallIcon = IconSize(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0)));
  EXPECT_EQ(smallIcon.cx, Scaled(16, next));
}

TEST_F(AtSetDpi, TrayIcon) {
  const UINT dpi = g_childDpi;
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", L"32"));  // a key saved: a start in the tray
  CBridgeMainForm form;
  ASSERT_EQ(CreateForm(form), 1);
  const HICON given = form.FormAdapter()->TrayIconHandle();
  ASSERT_NE(given, nullptr) << "no icon was given to the notification area";
  const SIZE size = IconSize(given);
  EXPECT_EQ(size.cx, Scaled(16, dpi));
  EXPECT_EQ(size.cy, Scaled(16, dpi));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--at-dpi=", 9) == 0) g_childDpi = static_cast<UINT>(std::atoi(argv[i] + 9));
  }
  // Run as a whole, the executable runs the parent cases; each starts its child case itself.
  if (g_childDpi == 0 && testing::GTEST_FLAG(filter) == "*") testing::GTEST_FLAG(filter) = "-AtSetDpi.*";
  return RUN_ALL_TESTS();
}
