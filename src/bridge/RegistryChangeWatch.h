// Tells whether anything under the program's settings key changed since the last look, without
// reading the registry: a change notification armed on the key signals an event, which a look tests.
#pragma once

#include "settings/KernelHandle.h"
#include "settings/RegistryKey.h"

#include <string>

class RegistryChangeWatch {
 public:
  // keyPath under HKEY_CURRENT_USER. While the key does not exist, its parent is watched, so that
  // creating it counts as a change.
  explicit RegistryChangeWatch(std::wstring keyPath);

  // True once after every change (and always while no notification could be armed, so that a reader
  // relying on this never keeps a stale value). Arms the notification again.
  bool TakeChange();

 private:
  bool Arm();

  std::wstring keyPath_;
  KernelHandle changed_;
  RegistryKey key_;
  bool armed_ = false;
};
