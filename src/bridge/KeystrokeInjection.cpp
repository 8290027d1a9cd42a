#include "bridge/KeystrokeInjection.h"

#include "bridge/ButtonEvent.h"
#include "bridge/KeybdEventSink.h"
#include "settings/RegistrySettingsReader.h"
#include "settings/SettingsKeys.h"
#include "settings/StoredNumber.h"

std::int32_t g_ctrlCombo = 0;

void InjectKeystrokeForButton(int button, int action, std::int32_t ctrlCombo, const SettingsReader& settings,
                              KeyEventSink& keys) {
  if (button != kButtonMiddle || action != kActionDown) return;
  // Read at every press: a newly saved key takes effect at the next one.
  const std::int32_t code =
      ParseStoredNumber(settings.ReadText(kSettingsKeyPath, kKeyCodeValueName, kDefaultKeyCodeText));
  if (!IsUsableVirtualKey(code)) return;

  const auto key = static_cast<BYTE>(code);
  if (ctrlCombo == 1) {
    // Ctrl is released before the key, not after it.
    keys.SendKeyEvent(VK_CONTROL, 0, 0, 0);
    keys.SendKeyEvent(key, 0, 0, 0);
    keys.SendKeyEvent(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  } else {
    keys.SendKeyEvent(key, 0, 0, 0);
  }
  keys.SendKeyEvent(key, 0, KEYEVENTF_KEYUP, 0);
}

void OnMouseButton(int button, int action, std::intptr_t /*reserved*/) {
  const RegistrySettingsReader settings;
  KeybdEventSink keys;
  InjectKeystrokeForButton(button, action, g_ctrlCombo, settings, keys);
}
