#include "bridge/RegistryChangeWatch.h"

#include <utility>

namespace {

constexpr DWORD kNotifyFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

std::wstring ParentOf(const std::wstring& path) {
  std::wstring trimmed = path;
  while (!trimmed.empty() && trimmed.back() == L'\\') trimmed.pop_back();
  const size_t slash = trimmed.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : trimmed.substr(0, slash);
}

}  // namespace

RegistryChangeWatch::RegistryChangeWatch(std::wstring keyPath)
    : keyPath_(std::move(keyPath)), changed_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  armed_ = Arm();
}

bool RegistryChangeWatch::Arm() {
  if (!changed_) return false;
  ResetEvent(changed_.get());
  // The key itself when it exists; else its parent with its whole subtree, where the key will appear.
  bool subtree = false;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_NOTIFY, key_.Receive()) != ERROR_SUCCESS) {
    subtree = true;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ParentOf(keyPath_).c_str(), 0, KEY_NOTIFY, key_.Receive()) !=
        ERROR_SUCCESS) {
      return false;
    }
  }
  return RegNotifyChangeKeyValue(key_.get(), subtree ? TRUE : FALSE, kNotifyFilter, changed_.get(), TRUE) ==
         ERROR_SUCCESS;
}

bool RegistryChangeWatch::TakeChange() {
  if (armed_ && WaitForSingleObject(changed_.get(), 0) != WAIT_OBJECT_0) return false;
  armed_ = Arm();
  return true;
}
