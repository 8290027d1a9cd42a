// The version information the program's executable carries, read back as Explorer reads it: the
// fixed numbers and the texts of the translation the file names.
#include "ProgramDriver.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii)); }

class ProgramVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = e2e::ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0u) << "the executable carries no version information (error " << GetLastError() << ")";
    block_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
  }

  // The text of a string value under the file's first translation; "<missing>" when there is none.
  std::wstring Text(const wchar_t* name) {
    struct Translation {
      WORD language;
      WORD codePage;
    }* translations = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                       &length) == FALSE ||
        length < sizeof(Translation)) {
      return L"<missing>";
    }
    wchar_t path[128] = {};
    swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language, translations[0].codePage, name);
    wchar_t* text = nullptr;
    if (VerQueryValueW(block_.data(), path, reinterpret_cast<void**>(&text), &length) == FALSE || text == nullptr) {
      return L"<missing>";
    }
    return text;
  }

  std::vector<BYTE> block_;
};

TEST_F(ProgramVersionTest, TheFixedNumbersAreTheBuildsVersion) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
  const DWORD expectedHigh = MAKELONG(LANFHE_EXPECTED_MINOR, LANFHE_EXPECTED_MAJOR);
  const DWORD expectedLow = MAKELONG(0, LANFHE_EXPECTED_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, expectedHigh);
  EXPECT_EQ(fixed->dwFileVersionLS, expectedLow);
  EXPECT_EQ(fixed->dwProductVersionMS, expectedHigh);
  EXPECT_EQ(fixed->dwProductVersionLS, expectedLow);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(ProgramVersionTest, TheTextsNameTheProgramItsFileAndTheBuildsVersion) {
  const std::wstring version = Widen(LANFHE_EXPECTED_VERSION);
  struct Case {
    const wchar_t* name;
    std::wstring expected;
  };
  const Case cases[] = {{L"FileDescription", e2e::kProgramTitle},
                        {L"ProductName", e2e::kProgramTitle},
                        {L"OriginalFilename", std::wstring(e2e::kProgramTitle) + L".exe"},
                        {L"FileVersion", version},
                        {L"ProductVersion", version}};
  for (const Case& c : cases) {
    EXPECT_EQ(Text(c.name), c.expected) << testing::PrintToString(std::wstring(c.name));
  }
  const std::wstring copyright = Text(L"LegalCopyright");
  EXPECT_NE(copyright, L"<missing>");
  EXPECT_NE(copyright.find(L"Copyright"), std::wstring::npos) << testing::PrintToString(copyright);
}

}  // namespace
