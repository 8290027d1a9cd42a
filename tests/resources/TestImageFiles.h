// Image files built in memory for the tests: PNG, BMP, icon and cursor bytes with known pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// PNG of rows packed top first without filter bytes. colourType: 2 RGB, 3 palette, 6 RGBA.
// bitDepth 8 or 16; palette entries (RGB triples) only for colour type 3.
Bytes EncodePng(int width, int height, int bitDepth, int colourType, const Bytes& rows, const Bytes& palette = {});

// BMP of rows packed top first (each row (bitsPerPixel * width + 7) / 8 bytes), stored bottom-up.
// masks: red, green and blue bit fields of a 16-bit image (empty: no bit fields).
Bytes EncodeBmp(int width, int height, int bitsPerPixel, const std::vector<RGBQUAD>& palette, const Bytes& rows,
                const std::vector<DWORD>& masks = {});

// An .ico (cursor false) or .cur file with one 32-bit image of size x size pixels of one colour.
Bytes EncodeIconFile(int size, BYTE red, BYTE green, BYTE blue, bool cursor);

// A directory of its own under the temporary folder, removed with the files written into it.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Writes bytes to name inside the folder and returns the full path.
  std::wstring Write(const std::wstring& name, const Bytes& bytes);
  std::wstring PathOf(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
  std::wstring path_;
  std::vector<std::wstring> files_;
};

// A DIB section of the given size and depth (negative height: top-down), zero-filled.
HBITMAP CreateTestSection(int width, int height, int bitsPerPixel);

// Bytes of scan line y (counted from the top) of a DIB section, whatever its orientation.
const BYTE* SectionLine(const DIBSECTION& section, int y);
