#include "bridge/KeySettingsCache.h"

#include "settings/SettingsKeys.h"
#include "settings/StoredNumber.h"

KeySettingsCache::KeySettingsCache(const SettingsReader& settings)
    : settings_(settings), watch_(kSettingsKeyPath) {
  Read();
}

std::int32_t KeySettingsCache::KeyCode() {
  if (watch_.TakeChange()) Read();
  return keyCode_;
}

void KeySettingsCache::Read() {
  keyCode_ = ParseStoredNumber(settings_.ReadText(kSettingsKeyPath, kKeyCodeValueName, kDefaultKeyCodeText));
}
