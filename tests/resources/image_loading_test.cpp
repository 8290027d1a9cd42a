// Images loaded from files and from a module's resources, of every kind.
#include "runtime/ImageLoading.h"

#include "runtime/GdiplusSession.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

#include "ImageFixtureIds.h"
#include "TestImageFiles.h"

namespace {

// What a loaded handle turned out to be, in a form a table can expect.
struct Loaded {
  int kind = -1;  // ImageKind of the handle, -1 when null
  int width = 0;
  int height = 0;
  int images = 0;  // image lists only
};

bool operator==(const Loaded& a, const Loaded& b) {
  return a.kind == b.kind && a.width == b.width && a.height == b.height && a.images == b.images;
}
std::ostream& operator<<(std::ostream& out, const Loaded& l) {
  return out << "{kind " << l.kind << ", " << l.width << " x " << l.height << ", images " << l.images << "}";
}

// Describes handle as the kind it was asked for, then releases it.
Loaded Describe(int kind, HANDLE handle) {
  Loaded loaded;
  if (handle == nullptr) return loaded;
  loaded.kind = kind;
  switch (kind) {
    case kImageBitmap: {
      BITMAP info{};
      GetObjectW(handle, sizeof(info), &info);
      loaded.width = info.bmWidth;
      loaded.height = info.bmHeight;
      DeleteObject(handle);
      break;
    }
    case kImageCursor:
    case kImageIcon: {
      ICONINFO info{};
      if (GetIconInfo(static_cast<HICON>(handle), &info)) {
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof(mask), &mask);
        loaded.width = mask.bmWidth;
        loaded.height = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
        if (info.fIcon != (kind == kImageIcon ? TRUE : FALSE)) loaded.kind = -2;  // icon and cursor mixed up
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
      }
      if (kind == kImageIcon) DestroyIcon(static_cast<HICON>(handle));
      else DestroyCursor(static_cast<HCURSOR>(handle));
      break;
    }
    case kImageImageList: {
      auto list = static_cast<HIMAGELIST>(handle);
      ImageList_GetIconSize(list, &loaded.width, &loaded.height);
      loaded.images = ImageList_GetImageCount(list);
      ImageList_Destroy(list);
      break;
    }
    default:
      break;
  }
  return loaded;
}

const Loaded kNull{};

class ImageFiles : public ::testing::Test {
protected:
  ImageFiles() {
    pixels_ = folder_.Write(L"pixels.png", EncodePng(2, 2, 8, 6, Bytes(16, 0xC0)));
    Bytes stripRows;
    for (int i = 0; i < 64 * 16; ++i) stripRows.insert(stripRows.end(), {static_cast<BYTE>(i % 64 * 4), 90, 200});
    strip_ = folder_.Write(L"strip.png", EncodePng(64, 16, 8, 2, stripRows));
    icon_ = folder_.Write(L"button.ico", EncodeIconFile(32, 200, 40, 40, false));
    cursor_ = folder_.Write(L"pointer.cur", EncodeIconFile(32, 0, 0, 0, true));
    missing_ = folder_.PathOf(L"missing.png");
  }

  TempFolder folder_;
  std::wstring pixels_, strip_, icon_, cursor_, missing_;
};

TEST_F(ImageFiles, LoadEveryKind) {
  struct Case {
    int kind;
    const std::wstring& path;
    Loaded expected;
  };
  const Case table[] = {
      {kImageBitmap, pixels_, {kImageBitmap, 2, 2, 0}},
      {kImageImageList, strip_, {kImageImageList, 16, 16, 4}},
      {kImageIcon, icon_, {kImageIcon, 32, 32, 0}},
      {kImageCursor, cursor_, {kImageCursor, 32, 32, 0}},
  };
  for (const Case& c : table) {
    GdiplusSession gdiplus;
    EXPECT_EQ(Describe(c.kind, LoadImageFromFile(gdiplus, c.kind, c.path.c_str())), c.expected)
        << "kind " << c.kind;
  }
}

TEST_F(ImageFiles, IconsAndCursorsDoNotStartGdiplus) {
  GdiplusSession gdiplus;
  EXPECT_EQ(Describe(kImageIcon, LoadImageFromFile(gdiplus, kImageIcon, icon_.c_str())).kind, kImageIcon);
  EXPECT_EQ(Describe(kImageCursor, LoadImageFromFile(gdiplus, kImageCursor, cursor_.c_str())).kind, kImageCursor);
  EXPECT_EQ(gdiplus.Token(), 0u);
  EXPECT_EQ(Describe(kImageBitmap, LoadImageFromFile(gdiplus, kImageBitmap, pixels_.c_str())).kind, kImageBitmap);
  EXPECT_NE(gdiplus.Token(), 0u);
}

TEST_F(ImageFiles, FailuresGiveNull) {
  const std::wstring empty;
  struct Case {
    const char* name;
    int kind;
    const wchar_t* path;
  };
  const Case table[] = {
      {"missing file as bitmap", kImageBitmap, missing_.c_str()},
      {"missing file as image list", kImageImageList, missing_.c_str()},
      {"missing file as icon", kImageIcon, missing_.c_str()},
      {"missing file as cursor", kImageCursor, missing_.c_str()},
      {"empty path", kImageBitmap, empty.c_str()},
      {"null path", kImageBitmap, nullptr},
      {"unknown kind", 4, pixels_.c_str()},
      {"negative kind", -1, pixels_.c_str()},
  };
  for (const Case& c : table) {
    GdiplusSession gdiplus;
    EXPECT_EQ(Describe(c.kind, LoadImageFromFile(gdiplus, c.kind, c.path)), kNull) << c.name;
  }
}

TEST(ImageResources, LoadEveryKindFromTheGivenModule) {
  HMODULE self = GetModuleHandleW(nullptr);
  struct Case {
    int kind;
    int id;
    Loaded expected;
  };
  const Case table[] = {
      {kImageBitmap, IDR_FIXTURE_PIXELS, {kImageBitmap, 2, 2, 0}},
      {kImageImageList, IDR_FIXTURE_STRIP, {kImageImageList, 16, 16, 4}},
      {kImageIcon, IDI_FIXTURE_ICON, {kImageIcon, 32, 32, 0}},
      {kImageCursor, IDC_FIXTURE_CURSOR, {kImageCursor, 32, 32, 0}},
  };
  for (const Case& c : table) {
    GdiplusSession gdiplus;
    EXPECT_EQ(Describe(c.kind, LoadImageFromResource(gdiplus, self, c.kind, c.id)), c.expected) << "id " << c.id;
  }
}

TEST(ImageResources, DecodedPixelsArePremultiplied) {
  GdiplusSession gdiplus;
  HANDLE handle = LoadImageFromResource(gdiplus, GetModuleHandleW(nullptr), kImageBitmap, IDR_FIXTURE_PIXELS);
  ASSERT_NE(handle, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(handle, sizeof(section), &section), static_cast<int>(sizeof(section)));
  ASSERT_EQ(section.dsBm.bmBitsPixel, 32);
  const BYTE* top = SectionLine(section, 0);
  const BYTE* bottom = SectionLine(section, 1);
  EXPECT_EQ(Bytes(top, top + 8), (Bytes{0, 0, 128, 128, /**/ 0, 255, 0, 255}));       // half red, opaque green
  EXPECT_EQ(Bytes(bottom, bottom + 8), (Bytes{30, 20, 10, 255, /**/ 0, 0, 0, 0}));  // opaque, transparent
  DeleteObject(handle);
}

TEST(ImageResources, FailuresGiveNull) {
  HMODULE self = GetModuleHandleW(nullptr);
  HMODULE other = GetModuleHandleW(L"kernel32.dll");
  struct Case {
    const char* name;
    HMODULE module;
    int kind;
    int id;
  };
  const Case table[] = {
      {"id 0 as bitmap", self, kImageBitmap, 0},
      {"id 0 as icon", self, kImageIcon, 0},
      {"id 0 as cursor", self, kImageCursor, 0},
      {"missing raw data", self, kImageBitmap, 299},
      {"missing raw data as image list", self, kImageImageList, 299},
      {"missing icon", self, kImageIcon, 299},
      {"an icon is not raw data", self, kImageBitmap, IDI_FIXTURE_ICON},
      {"raw data is not an icon", self, kImageIcon, IDR_FIXTURE_PIXELS},
      {"another module", other, kImageBitmap, IDR_FIXTURE_PIXELS},
      {"unknown kind", self, 4, IDR_FIXTURE_PIXELS},
  };
  for (const Case& c : table) {
    GdiplusSession gdiplus;
    EXPECT_EQ(Describe(c.kind, LoadImageFromResource(gdiplus, c.module, c.kind, c.id)), kNull) << c.name;
  }
}

}  // namespace
