// The stream that objects load from and save to. The system has no stream class of its own: the
// caller brings a concrete one. Only the status word and the byte layouts (little-endian integers)
// are fixed.
#pragma once

#include <cstdint>

class IVolStream {
 public:
  static constexpr int32_t kHealthy = 0;
  static constexpr int32_t kReadFailed = -3;   // a short or invalid read
  static constexpr int32_t kWriteFailed = -4;  // a write that could not be completed

  virtual ~IVolStream() = default;

  // Move up to count bytes; answer how many were moved (fewer means the stream could not deliver).
  virtual int64_t Read(void* destination, int64_t count) = 0;
  virtual int64_t Write(const void* source, int64_t count) = 0;

  int32_t status = kHealthy;
};

// True when the stream is present and its status is 0; loads and saves do nothing otherwise.
bool StreamIsHealthy(const IVolStream* stream);

// Read or write exactly count bytes. Nothing happens on an unhealthy stream; a short read sets -3, a
// short write -4. The answer is true only when all bytes were moved.
bool StreamReadExact(IVolStream* stream, void* destination, int64_t count);
bool StreamWriteExact(IVolStream* stream, const void* source, int64_t count);

// A value of width bytes (1, 2, 4 or 8: an integer or a double) in little-endian byte order. A short
// read leaves the value unchanged.
bool StreamReadLittleEndian(IVolStream* stream, void* value, int width);
bool StreamWriteLittleEndian(IVolStream* stream, const void* value, int width);

inline bool StreamReadInt32(IVolStream* stream, int32_t* value) { return StreamReadLittleEndian(stream, value, 4); }
inline bool StreamWriteInt32(IVolStream* stream, int32_t value) { return StreamWriteLittleEndian(stream, &value, 4); }
