// A small concrete stream for the tests: bytes in a vector, with optional limits that make reads or
// writes come up short.
#pragma once

#include "runtime/VolStream.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

class MemoryStream : public IVolStream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  int64_t Read(void* destination, int64_t count) override {
    ++reads;
    const int64_t available = static_cast<int64_t>(bytes_.size()) - position_;
    const int64_t n = count < available ? count : available;
    if (n > 0) std::memcpy(destination, bytes_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
  }

  int64_t Write(const void* source, int64_t count) override {
    ++writes;
    int64_t n = count;
    if (writeLimit >= 0 && static_cast<int64_t>(bytes_.size()) + n > writeLimit) {
      n = writeLimit - static_cast<int64_t>(bytes_.size());
    }
    const unsigned char* p = static_cast<const unsigned char*>(source);
    bytes_.insert(bytes_.end(), p, p + n);
    return n;
  }

  const std::vector<unsigned char>& Bytes() const { return bytes_; }
  int64_t Position() const { return position_; }

  // A write that would take the stream beyond this many bytes comes up short; -1: no limit.
  int64_t writeLimit = -1;
  int reads = 0;
  int writes = 0;

 private:
  std::vector<unsigned char> bytes_;
  int64_t position_ = 0;
};

// The little-endian bytes of a signed 32-bit count.
inline std::vector<unsigned char> CountBytes(int32_t count) {
  const uint32_t u = static_cast<uint32_t>(count);
  return {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u >> 16),
          static_cast<unsigned char>(u >> 24)};
}

inline std::vector<unsigned char> Join(std::initializer_list<std::vector<unsigned char>> parts) {
  std::vector<unsigned char> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
