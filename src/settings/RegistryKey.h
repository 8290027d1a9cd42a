// An open registry key that closes itself.
#pragma once

#include <windows.h>

class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(HKEY key) : key_(key) {}
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  HKEY get() const { return key_; }
  // For the open and create calls; releases any key held before.
  HKEY* Receive() {
    Close();
    return &key_;
  }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  void Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY key_ = nullptr;
};
