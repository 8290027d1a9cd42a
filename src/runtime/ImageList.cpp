#include "runtime/ImageList.h"

#include <cstdlib>

HIMAGELIST CreateImageListFromStrip(HBITMAP strip) {
  BITMAP info{};
  if (strip == nullptr || GetObjectW(strip, sizeof(info), &info) != static_cast<int>(sizeof(info))) return nullptr;
  const int height = std::abs(info.bmHeight);
  if (height == 0) return nullptr;
  const int width = (height + 1) / 2 * 2;
  const UINT flags = ILC_COLOR32 | ILC_MASK;  // 33
  HIMAGELIST list = ImageList_Create(width, height, flags, 0, 1);
  if (list == nullptr) return nullptr;
  if (ImageList_AddMasked(list, strip, RGB(255, 0, 255)) < 0) {
    ImageList_Destroy(list);
    return nullptr;
  }
  return list;
}
