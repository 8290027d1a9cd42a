// Handles that the framework owns and must give back: GDI objects (fonts, brushes, bitmaps) and
// icons. Move-only; each releases its handle when it goes or when given another.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr && handle_ != handle) DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

class OwnedIcon {
 public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  ~OwnedIcon() { Reset(); }
  OwnedIcon(OwnedIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  OwnedIcon& operator=(OwnedIcon&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.icon_, nullptr));
    return *this;
  }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;

  HICON Get() const { return icon_; }
  // Takes icon; the icon held before is destroyed unless it is the same one.
  void Reset(HICON icon = nullptr) {
    if (icon_ != nullptr && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_ = nullptr;
};
