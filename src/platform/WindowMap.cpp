#include "platform/WindowMap.h"

#include <unordered_map>

namespace {

std::unordered_map<HWND, PlatformWindow*>& Map() {
  static std::unordered_map<HWND, PlatformWindow*> map;
  return map;
}

PlatformWindow* g_pending = nullptr;

}  // namespace

namespace WindowMap {

PlatformWindow* Lookup(HWND window) {
  if (window == nullptr) return nullptr;
  const auto& map = Map();
  const auto found = map.find(window);
  return found != map.end() ? found->second : nullptr;
}

void Bind(HWND window, PlatformWindow* object) { Map()[window] = object; }

void Unbind(HWND window) { Map().erase(window); }

int BoundCount() { return static_cast<int>(Map().size()); }

void SetPending(PlatformWindow* object) { g_pending = object; }

PlatformWindow* TakePending() {
  PlatformWindow* object = g_pending;
  g_pending = nullptr;
  return object;
}

}  // namespace WindowMap
