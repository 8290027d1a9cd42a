#include "runtime/DibImage.h"

#include <cstdlib>

bool DibImage::Attach(HBITMAP section) {
  Discard();
  if (section == nullptr) return false;
  DIBSECTION info{};
  if (GetObjectW(section, sizeof(info), &info) == static_cast<int>(sizeof(info))) {
    isSection = 1;
  } else if (GetObjectW(section, sizeof(info.dsBm), &info.dsBm) != static_cast<int>(sizeof(info.dsBm))) {
    DeleteObject(section);
    return false;
  }
  bitmap = section;
  width = info.dsBm.bmWidth;
  height = std::abs(info.dsBm.bmHeight);
  bitsPerPixel = info.dsBm.bmBitsPixel;
  const int32_t lineBytes = ((bitsPerPixel * width + 31) / 32) * 4;
  if (isSection && info.dsBm.bmBits != nullptr) {
    // A positive header height means bottom-up: the top scan line is the last one in memory.
    const bool bottomUp = info.dsBmih.biHeight > 0;
    stride = bottomUp ? -lineBytes : lineBytes;
    bits = static_cast<uint8_t*>(info.dsBm.bmBits) + (bottomUp ? static_cast<intptr_t>(height - 1) * lineBytes : 0);
  } else {
    stride = lineBytes;  // a device-dependent bitmap has no pixel memory of its own to point at
  }
  return true;
}

void DibImage::Discard() {
  if (bitmap != nullptr) DeleteObject(bitmap);
  bitmap = nullptr;
  bits = nullptr;
  width = height = stride = 0;
  bitsPerPixel = 0;
  alpha = isSection = 0;
}

HBITMAP DibImage::Release() {
  HBITMAP handed = bitmap;
  bitmap = nullptr;
  Discard();
  return handed;
}
