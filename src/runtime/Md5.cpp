#include "runtime/Md5.h"

#include <cstring>

namespace {

// Per-round shift amounts and the sine-derived constants T[i] = floor(2^32 * |sin(i + 1)|).
constexpr int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                            5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                            4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                            6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

}  // namespace

Md5::Md5() : state_{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476}, pending_{} {}

void Md5::Transform(const unsigned char block[64]) {
  uint32_t x[16];
  for (int i = 0; i < 16; ++i) {
    x[i] = static_cast<uint32_t>(block[4 * i]) | static_cast<uint32_t>(block[4 * i + 1]) << 8 |
           static_cast<uint32_t>(block[4 * i + 2]) << 16 | static_cast<uint32_t>(block[4 * i + 3]) << 24;
  }
  uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  for (int i = 0; i < 64; ++i) {
    uint32_t f;
    int k;
    if (i < 16) {
      f = (b & c) | (~b & d);
      k = i;
    } else if (i < 32) {
      f = (b & d) | (c & ~d);
      k = (5 * i + 1) % 16;
    } else if (i < 48) {
      f = b ^ c ^ d;
      k = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      k = (7 * i) % 16;
    }
    const uint32_t rotated = b + RotateLeft(a + f + x[k] + kSine[i], kShift[i]);
    a = d;
    d = c;
    c = b;
    b = rotated;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
}

void Md5::Update(const void* data, size_t length) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  bitCount_ += static_cast<uint64_t>(length) * 8;
  while (length > 0) {
    const size_t take = length < 64 - pendingLength_ ? length : 64 - pendingLength_;
    std::memcpy(pending_ + pendingLength_, bytes, take);
    pendingLength_ += take;
    bytes += take;
    length -= take;
    if (pendingLength_ == 64) {
      Transform(pending_);
      pendingLength_ = 0;
    }
  }
}

void Md5::Finish(unsigned char digest[16]) {
  // A single 1 bit, zeros up to 56 bytes modulo 64, then the message length in bits, low byte first.
  const uint64_t bits = bitCount_;
  static const unsigned char kPadding[64] = {0x80};
  const size_t padLength = pendingLength_ < 56 ? 56 - pendingLength_ : 120 - pendingLength_;
  Update(kPadding, padLength);
  unsigned char length[8];
  for (int i = 0; i < 8; ++i) length[i] = static_cast<unsigned char>(bits >> (8 * i));
  Update(length, 8);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) digest[4 * i + j] = static_cast<unsigned char>(state_[i] >> (8 * j));
  }
}

void Md5Digest(const void* data, size_t length, unsigned char digest[16]) {
  Md5 md5;
  if (length > 0) md5.Update(data, length);
  md5.Finish(digest);
}
