// The working record of an image being turned into a device-independent bitmap section.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Holds one bitmap and describes its pixel memory. Zero-filled when empty; owns its bitmap until
// Release hands it out. The layout (40 bytes, fields in this order) is part of the runtime's record.
struct DibImage {
  HBITMAP bitmap = nullptr;     // the DIB section, null when empty
  void* bits = nullptr;         // address of the top scan line
  int32_t width = 0;            // pixels
  int32_t height = 0;           // pixels, absolute value
  int32_t stride = 0;           // bytes from one scan line to the next going down; negative bottom-up
  uint16_t bitsPerPixel = 0;    // 1, 4, 8, 16, 24 or 32
  int32_t alpha = 0;            // 1 when the pixels carry premultiplied alpha
  int32_t isSection = 0;        // 1 when the bitmap reported full DIB-section information

  DibImage() = default;
  DibImage(const DibImage&) = delete;
  DibImage& operator=(const DibImage&) = delete;
  ~DibImage() { Discard(); }

  // Takes ownership of bitmap and describes it. False (record left empty, bitmap deleted) when the
  // handle is not a bitmap.
  bool Attach(HBITMAP section);
  // Deletes the bitmap, if any, and zero-fills the record.
  void Discard();
  // Hands the bitmap to the caller, who then owns it, and zero-fills the record.
  HBITMAP Release();

  // Address of scan line y counted from the top.
  uint8_t* ScanLine(int32_t y) const { return static_cast<uint8_t*>(bits) + static_cast<intptr_t>(y) * stride; }
};

static_assert(sizeof(DibImage) == 40, "DibImage is a 40-byte record");
static_assert(offsetof(DibImage, bits) == 8 && offsetof(DibImage, width) == 16 &&
                  offsetof(DibImage, height) == 20 && offsetof(DibImage, stride) == 24 &&
                  offsetof(DibImage, bitsPerPixel) == 28 && offsetof(DibImage, alpha) == 32 &&
                  offsetof(DibImage, isSection) == 36,
              "DibImage fields keep their order and offsets");
