// The MD5 message digest of RFC 1321, used to derive fixed identifiers from text.
#pragma once

#include <cstddef>
#include <cstdint>

class Md5 {
 public:
  Md5();
  void Update(const void* data, size_t length);
  // Pads the message and writes the 16 digest bytes; the object is then spent.
  void Finish(unsigned char digest[16]);

 private:
  void Transform(const unsigned char block[64]);

  uint32_t state_[4];
  uint64_t bitCount_ = 0;
  unsigned char pending_[64];
  size_t pendingLength_ = 0;
};

void Md5Digest(const void* data, size_t length, unsigned char digest[16]);
