// The key stroke a middle-button press sends: first the decision and conversion with a fake
// settings reader and a recording sink, then OnMouseButton itself with the real registry and a
// recording keybd_event in the function table.
#include "FakeUser32.h"
#include "KeyEventRecord.h"
#include "bridge/KeyEventSink.h"
#include "bridge/KeystrokeInjection.h"
#include "bridge/MouseHook.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

class RecordingKeySink final : public KeyEventSink {
 public:
  void SendKeyEvent(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR extraInfo) override {
    events.push_back({virtualKey, scanCode, flags, extraInfo});
  }
  std::vector<KeyEventRecord> events;
};

// Answers every read with one stored text, or the caller's default when nothing is stored.
class FakeSettings final : public SettingsReader {
 public:
  explicit FakeSettings(std::optional<std::wstring> stored) : stored_(std::move(stored)) {}
  std::wstring ReadText(const std::wstring& keyPath, const std::wstring& valueName,
                        const std::wstring& defaultText) const override {
    reads.push_back(keyPath + L"|" + valueName + L"|" + defaultText);
    return stored_ ? *stored_ : defaultText;
  }
  mutable std::vector<std::wstring> reads;

 private:
  std::optional<std::wstring> stored_;
};

using Events = std::vector<KeyEventRecord>;

const Events kNothing{};
Events Plain(BYTE key) { return {KeyDown(key), KeyUp(key)}; }
Events WithCtrl(BYTE key) { return {KeyDown(VK_CONTROL), KeyDown(key), KeyUp(VK_CONTROL), KeyUp(key)}; }

struct PressCase {
  std::optional<std::wstring> stored;  // nullopt: no "xrcode"
  std::int32_t ctrlCombo;
  Events expected;
};

std::string Describe(const PressCase& c) {
  const std::string stored = c.stored ? "\"" + std::string(c.stored->begin(), c.stored->end()) + "\"" : "nothing";
  return "stored " + stored + ", ctrl " + std::to_string(c.ctrlCombo);
}

TEST(InjectKeystrokeForButton, MiddlePressSendsTheStoredKey) {
  const PressCase cases[] = {
      {std::nullopt, 0, Plain(VK_SPACE)},  // default "32"
      {std::nullopt, 1, WithCtrl(VK_SPACE)},
      {L"65", 0, Plain('A')},
      {L"65", 1, WithCtrl('A')},  // Ctrl goes up before the key
      {L"65", 2, Plain('A')},     // only exactly 1 adds Ctrl
      {L"65", -1, Plain('A')},
      {L" 13abc", 0, Plain(VK_RETURN)},
      {L"+112", 1, WithCtrl(VK_F1)},
      {L"1", 0, Plain(1)},
      {L"254", 0, Plain(254)},
      // Codes that name no key send nothing at all, not even Ctrl.
      {L"", 0, kNothing},  // an empty stored value is 0, not the default
      {L"", 1, kNothing},
      {L"0", 1, kNothing},
      {L"abc", 1, kNothing},
      {L"0x41", 0, kNothing},
      {L"-1", 1, kNothing},
      {L"255", 0, kNothing},
      {L"300", 0, kNothing},  // its low byte would press Print Screen
      {L"99999999999", 1, kNothing},
      {L"-99999999999", 0, kNothing},
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(Describe(c));
    FakeSettings settings(c.stored);
    RecordingKeySink keys;
    InjectKeystrokeForButton(3, 1, c.ctrlCombo, settings, keys);
    EXPECT_EQ(keys.events, c.expected);
    ASSERT_EQ(settings.reads.size(), 1u);
    EXPECT_EQ(settings.reads[0], L"Software\\lanfhe\\|xrcode|32");
  }
}

TEST(InjectKeystrokeForButton, EveryOtherButtonEventSendsAndReadsNothing) {
  const std::pair<int, int> events[] = {{3, 2}, {3, 3}, {1, 1}, {2, 1}, {4, 4}, {4, 5}, {5, 1}, {6, 1}, {0, 1}, {3, 0}};
  for (const auto& [button, action] : events) {
    SCOPED_TRACE(testing::Message() << "(" << button << ", " << action << ")");
    FakeSettings settings(std::wstring(L"65"));
    RecordingKeySink keys;
    InjectKeystrokeForButton(button, action, 1, settings, keys);
    EXPECT_TRUE(keys.events.empty());
    EXPECT_TRUE(settings.reads.empty());
  }
}

// OnMouseButton reads the program's own "xrcode"; the test keeps whatever was stored and puts it
// back afterwards.
class OnMouseButtonTest : public testing::Test {
 protected:
  static constexpr const wchar_t* kKey = L"Software\\lanfhe\\";
  static constexpr const wchar_t* kMissing = L"\x1F\x1F<missing>";

  OnMouseButtonTest() : saved_(RegistryReadText(kKey, L"xrcode", kMissing)) {}
  ~OnMouseButtonTest() override {
    if (saved_ == kMissing) {
      DeleteStored();
    } else {
      RegistryWriteText(kKey, L"xrcode", saved_);
    }
  }

  static void DeleteStored() {
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, key.Receive()) == ERROR_SUCCESS) {
      RegDeleteValueW(key.get(), L"xrcode");
    }
  }

  static void Store(const std::optional<std::wstring>& text) {
    if (text) {
      ASSERT_TRUE(RegistryWriteText(kKey, L"xrcode", *text));
    } else {
      DeleteStored();
    }
  }

  FakeUser32 user32_;
  std::wstring saved_;
};

TEST_F(OnMouseButtonTest, MiddlePressSendsTheKeyStoredInTheRegistry) {
  const PressCase cases[] = {
      {std::nullopt, 0, Plain(VK_SPACE)},
      {L"65", 0, Plain('A')},
      {L"65", 1, WithCtrl('A')},
      {L"0", 1, kNothing},
      {L"", 0, kNothing},
  };
  for (const PressCase& c : cases) {
    SCOPED_TRACE(Describe(c));
    Store(c.stored);
    g_ctrlCombo = c.ctrlCombo;
    user32_.keyEvents.clear();
    OnMouseButton(3, 1, 0);
    EXPECT_EQ(user32_.keyEvents, c.expected);
  }
}

TEST_F(OnMouseButtonTest, ANewlyStoredKeyTakesEffectAtTheNextPress) {
  Store(std::wstring(L"13"));
  OnMouseButton(3, 1, 0);
  Store(std::wstring(L"65"));
  OnMouseButton(3, 1, 0);
  const Events expected{KeyDown(VK_RETURN), KeyUp(VK_RETURN), KeyDown('A'), KeyUp('A')};
  EXPECT_EQ(user32_.keyEvents, expected);
}

TEST_F(OnMouseButtonTest, HookedMiddleClickSendsTheStrokeOnPressOnlyThenChains) {
  Store(std::wstring(L"65"));
  InstallMouseHook();  // the fake SetWindowsHookExW; registers OnMouseButton
  g_ctrlCombo = 1;

  MSLLHOOKSTRUCT info{};
  MouseHookProc(HC_ACTION, WM_MBUTTONDOWN, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(user32_.keyEvents, WithCtrl('A'));
  EXPECT_EQ(user32_.chainedCalls.size(), 1u);

  MouseHookProc(HC_ACTION, WM_MBUTTONUP, reinterpret_cast<LPARAM>(&info));
  MouseHookProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(user32_.keyEvents, WithCtrl('A'));
  EXPECT_EQ(user32_.chainedCalls.size(), 3u);
}

}  // namespace
