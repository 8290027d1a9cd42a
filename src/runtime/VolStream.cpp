#include "runtime/VolStream.h"

#include <cstring>

bool StreamIsHealthy(const IVolStream* stream) { return stream != nullptr && stream->status == IVolStream::kHealthy; }

bool StreamReadExact(IVolStream* stream, void* destination, int64_t count) {
  if (!StreamIsHealthy(stream)) return false;
  if (count <= 0) return true;
  if (stream->Read(destination, count) != count) {
    stream->status = IVolStream::kReadFailed;
    return false;
  }
  return true;
}

bool StreamWriteExact(IVolStream* stream, const void* source, int64_t count) {
  if (!StreamIsHealthy(stream)) return false;
  if (count <= 0) return true;
  if (stream->Write(source, count) != count) {
    stream->status = IVolStream::kWriteFailed;
    return false;
  }
  return true;
}

namespace {

bool ValidWidth(int width) { return width == 1 || width == 2 || width == 4 || width == 8; }

}  // namespace

bool StreamReadLittleEndian(IVolStream* stream, void* value, int width) {
  if (!ValidWidth(width)) return false;
  unsigned char bytes[8];
  if (!StreamReadExact(stream, bytes, width)) return false;
  uint64_t u = 0;
  for (int i = width - 1; i >= 0; --i) u = u << 8 | bytes[i];
  std::memcpy(value, &u, static_cast<size_t>(width));  // the host is little-endian: low bytes first
  return true;
}

bool StreamWriteLittleEndian(IVolStream* stream, const void* value, int width) {
  if (!ValidWidth(width)) return false;
  uint64_t u = 0;
  std::memcpy(&u, value, static_cast<size_t>(width));
  unsigned char bytes[8];
  for (int i = 0; i < width; ++i) bytes[i] = static_cast<unsigned char>(u >> (8 * i));
  return StreamWriteExact(stream, bytes, width);
}
