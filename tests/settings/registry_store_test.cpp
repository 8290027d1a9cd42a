// The registry store against the real registry of the current user. Each test works below a key of
// its own and deletes it afterwards.
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RegistryStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = info->name();
    root_ = L"Software\\lanfhe-tests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::wstring(name.begin(), name.end());
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\lanfhe-tests");  // only goes once it is empty
  }

  bool KeyExists(const std::wstring& path) const {
    RegistryKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
  }

  // Stores raw bytes of any type, bypassing RegistryWriteText.
  void StoreRaw(const std::wstring& value, DWORD type, const void* data, DWORD bytes) const {
    RegistryKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, root_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(),
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.get(), value.c_str(), 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
  }

  struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> bytes;
  };
  RawValue ReadRaw(const std::wstring& path, const std::wstring& value) const {
    RawValue raw;
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return raw;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), value.c_str(), nullptr, &raw.type, nullptr, &size) != ERROR_SUCCESS) return raw;
    raw.bytes.resize(size);
    RegQueryValueExW(key.get(), value.c_str(), nullptr, nullptr, raw.bytes.data(), &size);
    return raw;
  }

  std::wstring root_;
};

TEST_F(RegistryStoreTest, WriteStoresSzWithItsNulAndReadsBack) {
  const std::wstring text = L"岚枫禾 65";
  ASSERT_TRUE(RegistryWriteText(root_, L"xrcode", text));

  const RawValue raw = ReadRaw(root_, L"xrcode");
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
  ASSERT_EQ(raw.bytes.size(), (text.size() + 1) * sizeof(wchar_t));
  EXPECT_EQ(raw.bytes[raw.bytes.size() - 1], 0);
  EXPECT_EQ(raw.bytes[raw.bytes.size() - 2], 0);

  EXPECT_EQ(RegistryReadText(root_, L"xrcode", L"32"), text);
}

TEST_F(RegistryStoreTest, WriteOverwritesAnEarlierValue) {
  ASSERT_TRUE(RegistryWriteText(root_, L"xrcode", L"13"));
  ASSERT_TRUE(RegistryWriteText(root_, L"xrcode", L"65"));
  EXPECT_EQ(RegistryReadText(root_, L"xrcode", L"32"), L"65");
}

TEST_F(RegistryStoreTest, WriteCreatesTheKeyAndTheKeysAboveIt) {
  const std::wstring deep = root_ + L"\\one\\two\\three";
  ASSERT_FALSE(KeyExists(root_));
  ASSERT_TRUE(RegistryWriteText(deep, L"an", L"C:\\x\\y.exe"));
  EXPECT_TRUE(KeyExists(root_ + L"\\one"));
  EXPECT_EQ(RegistryReadText(deep, L"an", L""), L"C:\\x\\y.exe");
}

TEST_F(RegistryStoreTest, KeyPathsIgnoreCaseAndATrailingBackslash) {
  ASSERT_TRUE(RegistryWriteText(root_ + L"\\SUB\\", L"xrctrl", L"1"));
  EXPECT_EQ(RegistryReadText(root_ + L"\\sub\\", L"xrctrl", L"17"), L"1");
  EXPECT_EQ(RegistryReadText(root_ + L"\\Sub", L"xrctrl", L"17"), L"1");
}

TEST_F(RegistryStoreTest, WriteThatCannotCreateTheKeyReportsFalse) {
  // A key name longer than the registry's 255-character limit cannot be created.
  const std::wstring tooLong = root_ + L"\\" + std::wstring(300, L'k');
  EXPECT_FALSE(RegistryWriteText(tooLong, L"xrcode", L"65"));
  EXPECT_EQ(RegistryReadText(tooLong, L"xrcode", L"default"), L"default");
}

TEST_F(RegistryStoreTest, MissingKeyOrValueGivesTheDefault) {
  EXPECT_EQ(RegistryReadText(root_, L"xrcode", L"32"), L"32");
  ASSERT_TRUE(RegistryWriteText(root_, L"other", L"1"));
  EXPECT_EQ(RegistryReadText(root_, L"xrcode", L"32"), L"32");
  EXPECT_EQ(RegistryReadText(root_, L"xrcode", L""), L"");
}

TEST_F(RegistryStoreTest, ReadAnswersByTypeAndStoredBytes) {
  SetEnvironmentVariableW(L"LANFHE_TEST_DIR", L"C:\\lanfhe");
  SetEnvironmentVariableW(L"LANFHE_TEST_UNSET", nullptr);

  struct Case {
    const char* what;
    DWORD type;
    std::vector<BYTE> bytes;
    std::wstring expected;
  };
  const auto text = [](const std::wstring& s, bool withNul) {
    const BYTE* p = reinterpret_cast<const BYTE*>(s.c_str());
    return std::vector<BYTE>(p, p + (s.size() + (withNul ? 1 : 0)) * sizeof(wchar_t));
  };
  const DWORD dword = 65;
  const BYTE* dwordBytes = reinterpret_cast<const BYTE*>(&dword);
  const std::wstring multi(L"65\0" L"66\0", 6);

  const Case cases[] = {
      {"REG_SZ with its NUL", REG_SZ, text(L"65", true), L"65"},
      {"REG_SZ stored without its NUL", REG_SZ, text(L"65", false), L"65"},
      {"REG_SZ with an odd byte count", REG_SZ, {'A', 0, 'B'}, L"AB"},
      {"REG_SZ holding the empty string", REG_SZ, text(L"", true), L""},
      {"REG_SZ of zero bytes", REG_SZ, {}, L""},
      {"REG_SZ with an embedded NUL ends there", REG_SZ, text(std::wstring(L"6\0" L"5", 3), true), L"6"},
      {"REG_EXPAND_SZ is expanded", REG_EXPAND_SZ, text(L"%LANFHE_TEST_DIR%\\x.exe", true), L"C:\\lanfhe\\x.exe"},
      {"REG_EXPAND_SZ without its NUL is expanded", REG_EXPAND_SZ, text(L"%LANFHE_TEST_DIR%", false), L"C:\\lanfhe"},
      {"REG_EXPAND_SZ with an unknown variable keeps it", REG_EXPAND_SZ, text(L"%LANFHE_TEST_UNSET%", true),
       L"%LANFHE_TEST_UNSET%"},
      {"REG_EXPAND_SZ holding the empty string", REG_EXPAND_SZ, text(L"", true), L""},
      {"REG_DWORD gives the default", REG_DWORD, std::vector<BYTE>(dwordBytes, dwordBytes + sizeof(dword)),
       L"default"},
      {"REG_BINARY gives the default", REG_BINARY, text(L"65", true), L"default"},
      {"REG_MULTI_SZ gives the default", REG_MULTI_SZ, text(multi, false), L"default"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StoreRaw(L"value", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
    EXPECT_EQ(RegistryReadText(root_, L"value", L"default"), c.expected);
  }
}

TEST(GetModuleDirectory, RunningExecutableGivesItsDirectoryWithTrailingBackslash) {
  wchar_t path[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  const std::wstring full = path;

  std::wstring directory = L"stale";
  ASSERT_TRUE(GetModuleDirectory(nullptr, directory));
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.back(), L'\\');
  EXPECT_EQ(full.compare(0, directory.size(), directory), 0);
  EXPECT_EQ(full.substr(directory.size()), L"settings_test.exe");
}

TEST(GetModuleDirectory, SystemLibraryGivesTheSystemDirectory) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
  std::wstring directory;
  ASSERT_TRUE(GetModuleDirectory(GetModuleHandleW(L"kernel32.dll"), directory));
  EXPECT_EQ(CompareStringOrdinal(directory.c_str(), -1, (std::wstring(system) + L"\\").c_str(), -1, TRUE),
            CSTR_EQUAL)
      << std::string(directory.begin(), directory.end());
}

TEST(GetModuleDirectory, UnknownModuleGivesFalseAndEmptyOutput) {
  std::wstring directory = L"stale";
  int notAModule = 0;
  EXPECT_FALSE(GetModuleDirectory(reinterpret_cast<HMODULE>(&notAModule), directory));
  EXPECT_TRUE(directory.empty());
}

TEST(DirectoryOfPath, CutsAfterTheLastBackslash) {
  struct Case {
    const wchar_t* path;
    const wchar_t* directory;
  };
  const Case cases[] = {
      {L"D:\\tools\\x.exe", L"D:\\tools\\"},
      {L"C:\\x.exe", L"C:\\"},
      {L"\\\\server\\share\\a b\\岚枫禾.exe", L"\\\\server\\share\\a b\\"},
      {L"C:\\dir\\", L"C:\\dir\\"},
      {L"x.exe", L""},
      {L"", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "path #" << (&c - cases));
    EXPECT_EQ(DirectoryOfPath(c.path), c.directory);
  }
}

}  // namespace
