// The stored key held between presses: read once, and again only after the settings key changed,
// whoever changed it; a look without a change reads nothing.
#include "bridge/KeySettingsCache.h"
#include "bridge/RegistryChangeWatch.h"
#include "CountingSettingsReader.h"
#include "support/StoredSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class KeySettingsCacheTest : public testing::Test {
 protected:
  StoredSettingsBackup backup_;
};

TEST_F(KeySettingsCacheTest, ReadsAtStartAndAgainOnlyAfterAChange) {
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::wstring(L"65")));
  CountingSettingsReader reader;
  KeySettingsCache cache(reader);
  EXPECT_EQ(reader.reads, 1);
  for (int press = 0; press < 20; ++press) ASSERT_EQ(cache.KeyCode(), 65);
  EXPECT_EQ(reader.reads, 1) << "no change, no read";

  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::wstring(L"116")));
  EXPECT_EQ(cache.KeyCode(), 116) << "a new key counts from the next press";
  EXPECT_EQ(cache.KeyCode(), 116);
  EXPECT_EQ(reader.reads, 2);

  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::nullopt));
  EXPECT_EQ(cache.KeyCode(), 32) << "a deleted value is the default again";
  ASSERT_TRUE(SetStoredText(kProgramSettingsKey, L"xrcode", std::wstring(L"")));
  EXPECT_EQ(cache.KeyCode(), 0) << "an empty value names no key";
}

TEST_F(KeySettingsCacheTest, AKeyCreatedAfterTheStartIsSeen) {
  // A first start: the settings key does not exist yet.
  const std::wstring path = L"Software\\lanfhe-watch-test-" + std::to_wstring(GetCurrentProcessId());
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  RegistryChangeWatch watch(path + L"\\");
  ASSERT_TRUE(SetStoredText(path, L"xrcode", std::wstring(L"13")));
  EXPECT_TRUE(watch.TakeChange()) << "the key appeared";
  // From now on the key itself is watched.
  EXPECT_FALSE(watch.TakeChange());
  ASSERT_TRUE(SetStoredText(path, L"xrcode", std::wstring(L"65")));
  EXPECT_TRUE(watch.TakeChange());
  EXPECT_FALSE(watch.TakeChange());
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace
