#include "TestImageFiles.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

void PutBig32(Bytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<BYTE>(v >> shift));
}
void PutLittle(Bytes& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<BYTE>(v >> (8 * i)));
}

uint32_t Crc32(const BYTE* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBig32(out, static_cast<uint32_t>(data.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBig32(out, Crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) blocks: valid input for any inflater.
Bytes ZlibStored(const Bytes& raw) {
  Bytes out = {0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(raw.size() - pos, 65535);
    out.push_back(pos + n == raw.size() ? 1 : 0);
    PutLittle(out, static_cast<uint32_t>(n), 2);
    PutLittle(out, static_cast<uint32_t>(~n & 0xFFFF), 2);
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos), raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
  } while (pos < raw.size());
  uint32_t a = 1, b = 0;
  for (BYTE c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBig32(out, (b << 16) | a);
  return out;
}

}  // namespace

Bytes EncodePng(int width, int height, int bitDepth, int colourType, const Bytes& rows, const Bytes& palette) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBig32(header, static_cast<uint32_t>(width));
  PutBig32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {static_cast<BYTE>(bitDepth), static_cast<BYTE>(colourType), 0, 0, 0});
  PutChunk(out, "IHDR", header);
  if (!palette.empty()) PutChunk(out, "PLTE", palette);
  const size_t rowBytes = rows.size() / static_cast<size_t>(height);
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    raw.insert(raw.end(), rows.begin() + static_cast<std::ptrdiff_t>(y * rowBytes),
               rows.begin() + static_cast<std::ptrdiff_t>((y + 1) * rowBytes));
  }
  PutChunk(out, "IDAT", ZlibStored(raw));
  PutChunk(out, "IEND", {});
  return out;
}

Bytes EncodeBmp(int width, int height, int bitsPerPixel, const std::vector<RGBQUAD>& palette, const Bytes& rows,
                const std::vector<DWORD>& masks) {
  const size_t rowBytes = (static_cast<size_t>(bitsPerPixel) * width + 7) / 8;
  const size_t stride = (static_cast<size_t>(bitsPerPixel) * width + 31) / 32 * 4;
  const size_t tableBytes = palette.size() * sizeof(RGBQUAD) + masks.size() * sizeof(DWORD);
  const size_t offset = 14 + 40 + tableBytes;
  Bytes out = {'B', 'M'};
  PutLittle(out, static_cast<uint32_t>(offset + stride * height), 4);
  PutLittle(out, 0, 4);
  PutLittle(out, static_cast<uint32_t>(offset), 4);
  PutLittle(out, 40, 4);
  PutLittle(out, static_cast<uint32_t>(width), 4);
  PutLittle(out, static_cast<uint32_t>(height), 4);
  PutLittle(out, 1, 2);
  PutLittle(out, static_cast<uint32_t>(bitsPerPixel), 2);
  PutLittle(out, masks.empty() ? BI_RGB : BI_BITFIELDS, 4);
  PutLittle(out, static_cast<uint32_t>(stride * height), 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, static_cast<uint32_t>(palette.size()), 4);
  PutLittle(out, 0, 4);
  for (DWORD mask : masks) PutLittle(out, mask, 4);
  for (const RGBQUAD& q : palette) out.insert(out.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
  for (int y = height - 1; y >= 0; --y) {
    const auto line = rows.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
    out.insert(out.end(), line, line + static_cast<std::ptrdiff_t>(rowBytes));
    out.insert(out.end(), stride - rowBytes, 0);
  }
  return out;
}

Bytes EncodeIconFile(int size, BYTE red, BYTE green, BYTE blue, bool cursor) {
  const size_t maskStride = (static_cast<size_t>(size) + 31) / 32 * 4;
  const size_t imageBytes = 40 + static_cast<size_t>(size) * size * 4 + maskStride * size;
  Bytes out;
  PutLittle(out, 0, 2);
  PutLittle(out, cursor ? 2 : 1, 2);
  PutLittle(out, 1, 2);
  out.insert(out.end(), {static_cast<BYTE>(size), static_cast<BYTE>(size), 0, 0});
  PutLittle(out, 1, 2);                // icon: planes; cursor: hot spot x
  PutLittle(out, cursor ? 1 : 32, 2);  // icon: bits per pixel; cursor: hot spot y
  PutLittle(out, static_cast<uint32_t>(imageBytes), 4);
  PutLittle(out, 6 + 16, 4);
  PutLittle(out, 40, 4);
  PutLittle(out, static_cast<uint32_t>(size), 4);
  PutLittle(out, static_cast<uint32_t>(size * 2), 4);
  PutLittle(out, 1, 2);
  PutLittle(out, 32, 2);
  out.insert(out.end(), 24, 0);
  for (int i = 0; i < size * size; ++i) out.insert(out.end(), {blue, green, red, 255});
  out.insert(out.end(), maskStride * size, 0);
  return out;
}

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
    path_ = std::wstring(base) + L"lanfhe-image-test-" + std::to_wstring(n);
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary folder");
  }
}

TempFolder::~TempFolder() {
  for (const std::wstring& file : files_) DeleteFileW(file.c_str());
  RemoveDirectoryW(path_.c_str());
}

std::wstring TempFolder::Write(const std::wstring& name, const Bytes& bytes) {
  const std::wstring path = PathOf(name);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a fixture file");
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write a fixture file");
  files_.push_back(path);
  return path;
}

HBITMAP CreateTestSection(int width, int height, int bitsPerPixel) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

const BYTE* SectionLine(const DIBSECTION& section, int y) {
  const int height = std::abs(section.dsBmih.biHeight);
  const int row = section.dsBmih.biHeight > 0 ? height - 1 - y : y;
  return static_cast<const BYTE*>(section.dsBm.bmBits) + static_cast<std::ptrdiff_t>(row) * section.dsBm.bmWidthBytes;
}
