// The application-instance record: its module handle, its resource and image operations, and what
// its teardown releases.
#include "runtime/AppInstance.h"
#include "runtime/ImageLoading.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include <string>
#include <vector>

#include "AppInstanceFixtureIds.h"

namespace {

std::wstring Text(const CWString& text) { return text.GetText(); }

// Runs the body with the record's stored instance handle set to module, then puts the old one back.
class StoredInstanceHandle {
 public:
  explicit StoredInstanceHandle(HMODULE module) : saved_(g_appInstance.instanceHandle) {
    g_appInstance.instanceHandle = module;
  }
  ~StoredInstanceHandle() { g_appInstance.instanceHandle = saved_; }
  StoredInstanceHandle(const StoredInstanceHandle&) = delete;
  StoredInstanceHandle& operator=(const StoredInstanceHandle&) = delete;

 private:
  HMODULE saved_;
};

TEST(AppInstanceHandle, IsTheStoredHandleElseTheModuleThatHoldsTheCode) {
  ASSERT_EQ(g_appInstance.instanceHandle, nullptr);
  EXPECT_EQ(g_appInstance.GetInstanceHandle(), GetModuleHandleW(nullptr));

  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const StoredInstanceHandle stored(kernel32);
  EXPECT_EQ(g_appInstance.GetInstanceHandle(), kernel32);
}

TEST(AppInstanceResources, ComeFromTheModuleThatTheInstanceHandleNames) {
  const StoredInstanceHandle stored(GetModuleHandleW(L"kernel32.dll"));
  CWString text;
  EXPECT_EQ(g_appInstance.LoadResText(IDR_FIXTURE_TEXT_PLAIN, text), 0);
  g_appInstance.LoadResString(IDS_FIXTURE_PLAIN, text);
  EXPECT_EQ(Text(text), L"");
  EXPECT_EQ(g_appInstance.LoadResImage(kImageBitmap, IDR_FIXTURE_PNG), nullptr);
}

#ifdef LANFHE_LONG_STRING_RESOURCES
// The lengths of the generated strings, from IDS_FIXTURE_LONG_FIRST on (see tests/runtime/CMakeLists.txt).
const int kLongStringLengths[] = {4098, 4099, 8198, 8199};

std::wstring LongStringText(int length) {
  std::wstring text;
  for (int i = 0; i < length; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
  return text;
}
#endif

TEST(AppInstanceResString, LoadsWholeTextsOfEveryLengthAndClearsTheOutputFirst) {
  struct Case {
    int id;
    std::wstring expected;
  };
  std::vector<Case> cases = {
      {0, L""},
      {9999, L""},  // no such string
      {IDS_FIXTURE_PLAIN, L"Plain text"},
      {IDS_FIXTURE_CHINESE, L"岚枫禾 wireless"},
  };
#ifdef LANFHE_LONG_STRING_RESOURCES
  // Around the first buffer's limit (a text of more than 4,098 units may have been cut) and the second's.
  for (int i = 0; i < 4; ++i) cases.push_back({IDS_FIXTURE_LONG_FIRST + i, LongStringText(kLongStringLengths[i])});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "id " << c.id);
    CWString text(L"left over");
    g_appInstance.LoadResString(c.id, text);
    EXPECT_EQ(Text(text).size(), c.expected.size());
    EXPECT_TRUE(Text(text) == c.expected);
  }
}

TEST(AppInstanceResData, ReadsTheBytesOfAResourceOfTheGivenType) {
  struct Case {
    const char* what;
    int id;
    int type;
    int expectedResult;
    std::string expectedBytes;
  };
  const Case cases[] = {
      {"id 0", 0, 10, 1, ""},
      {"raw data", IDR_FIXTURE_TEXT_ODD, 10, 1, "ABC"},
      {"id modulo 65536", 65536 + IDR_FIXTURE_TEXT_ODD, 10, 1, "ABC"},
      {"custom type", IDR_FIXTURE_CUSTOM_TYPE, IDT_FIXTURE_CUSTOM, 1, "xyz"},
      {"custom resource asked as raw data", IDR_FIXTURE_CUSTOM_TYPE, 10, 0, ""},
      {"missing id", 9999, 10, 0, ""},
      {"id that is 0 modulo 65536", 65536, 10, 0, ""},
      {"type beyond 16 bits", IDR_FIXTURE_TEXT_ODD, 65536 + 10, 0, ""},
      {"type 0", IDR_FIXTURE_TEXT_ODD, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CVolMem out;
    out.AppendBytes("left over", 9);
    EXPECT_EQ(g_appInstance.LoadResData(c.id, out, c.type), c.expectedResult);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.GetData()), static_cast<size_t>(out.GetLength())),
              c.expectedBytes);
  }
  CVolMem rcData;
  EXPECT_EQ(g_appInstance.LoadResRcData(IDR_FIXTURE_TEXT_ODD, rcData), 1);
  EXPECT_EQ(rcData.GetLength(), 3);
}

TEST(AppInstanceResText, ReadsUtf16SkippingTheByteOrderMark) {
  struct Case {
    const char* what;
    int id;
    int expectedResult;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {"byte-order mark", IDR_FIXTURE_TEXT_BOM, 1, L"AB岚"},
      {"no byte-order mark, no NUL", IDR_FIXTURE_TEXT_PLAIN, 1, L"AB岚"},
      {"embedded NUL", IDR_FIXTURE_TEXT_NUL, 1, L"AB"},
      {"byte-order mark alone", IDR_FIXTURE_TEXT_ONLY_BOM, 1, L""},
      {"odd byte count", IDR_FIXTURE_TEXT_ODD, 1, L"\x4241\x0043"},
      {"id 0", 0, 1, L""},
      {"missing", 9999, 0, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CWString text(L"left over");
    EXPECT_EQ(g_appInstance.LoadResText(c.id, text), c.expectedResult);
    EXPECT_TRUE(Text(text) == c.expected);
  }
}

// The image operations are those of the image loaders, on the record's module and GDI+ session.
TEST(AppInstanceImages, DecodeThroughTheRecordsGdiplusSession) {
  HANDLE icon = g_appInstance.LoadResImage(kImageIcon, IDI_FIXTURE_APP_ICON);
  EXPECT_NE(icon, nullptr);
  if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));

  HANDLE resourceBitmap = g_appInstance.LoadResImage(kImageBitmap, IDR_FIXTURE_PNG);
  ASSERT_NE(resourceBitmap, nullptr);
  EXPECT_NE(g_appInstance.gdiplus.Token(), 0u);
  BITMAP info{};
  ASSERT_NE(GetObjectW(resourceBitmap, sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, 2);
  EXPECT_EQ(info.bmHeight, 2);
  DeleteObject(resourceBitmap);

  CVolMem png;
  ASSERT_EQ(g_appInstance.LoadResRcData(IDR_FIXTURE_PNG, png), 1);
  HBITMAP memoryBitmap = g_appInstance.LoadMemImage(png.GetData(), png.GetLength());
  ASSERT_NE(memoryBitmap, nullptr);
  ASSERT_NE(GetObjectW(memoryBitmap, sizeof info, &info), 0);
  EXPECT_EQ(info.bmWidth, 2);
  EXPECT_EQ(info.bmBitsPixel, 32);
  DeleteObject(memoryBitmap);

  EXPECT_EQ(g_appInstance.LoadMemImage(png.GetData(), 0), nullptr);
  EXPECT_EQ(g_appInstance.LoadResImage(kImageBitmap, 0), nullptr);
  EXPECT_EQ(g_appInstance.LoadFileImage(kImageBitmap, L""), nullptr);
}

CVolUserApp* g_deletedApp = nullptr;
void RecordDeletion(CVolUserApp* app) { g_deletedApp = app; }

// A record torn down with everything still in it: the application object, a COM start-up, GDI+ and
// a loaded library.
TEST(AppInstanceTeardown, DeletesTheAppBalancesComAndFreesTheLibraries) {
  auto* record = new CVolAppInstance;
  EXPECT_EQ(record->displayScale, 1.0);
  EXPECT_EQ(record->loadedLibraries.GetGrowStep(), 256);

  int appStandIn = 0;
  record->userApp = reinterpret_cast<CVolUserApp*>(&appStandIn);
  CVolAppInstance::userAppDeleter = &RecordDeletion;

  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK) << "COM was started before this test";
  record->comInitialized = 1;

  ASSERT_TRUE(record->gdiplus.EnsureStarted());

  HMODULE library = LoadLibraryW(L"lanfhe_released_library.dll");
  ASSERT_NE(library, nullptr);
  record->loadedLibraries.AppendBytes(&library, sizeof library);

  delete record;
  CVolAppInstance::userAppDeleter = nullptr;

  EXPECT_EQ(g_deletedApp, reinterpret_cast<CVolUserApp*>(&appStandIn));
  EXPECT_EQ(GetModuleHandleW(L"lanfhe_released_library.dll"), nullptr) << "the library is still loaded";
  // S_OK, not S_FALSE: the teardown ended the COM start-up it was handed.
  const HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(again, S_OK);
  if (SUCCEEDED(again)) CoUninitialize();
}

}  // namespace
