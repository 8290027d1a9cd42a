// The stored key, held between presses: read at start and again only after the settings key changed
// (a save from the form or a change made with regedit), so that a press reads no registry at all.
#pragma once

#include "bridge/RegistryChangeWatch.h"
#include "settings/SettingsReader.h"

#include <cstdint>

class KeySettingsCache {
 public:
  // Reads the stored key through settings at once; settings must outlive the cache.
  explicit KeySettingsCache(const SettingsReader& settings);

  // The stored "xrcode" as a number (default 32), read again first when the key changed.
  std::int32_t KeyCode();

 private:
  void Read();

  const SettingsReader& settings_;
  RegistryChangeWatch watch_;
  std::int32_t keyCode_ = 0;
};
