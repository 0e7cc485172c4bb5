// Numbers stored in picture files, read a byte at a time, so that neither
// the machine's byte order nor the data's alignment matters.
#pragma once

#include <cstdint>

/// The `bytes` (1 to 4) bytes at `p` as an unsigned number, the most or the
/// least significant byte first.
inline uint32_t ReadNumber(const uint8_t* p, int bytes, bool big_endian) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) {
    int shift = big_endian ? 8 * (bytes - 1 - i) : 8 * i;
    value |= static_cast<uint32_t>(p[i]) << shift;
  }
  return value;
}

inline uint32_t ReadBigEndian(const uint8_t* p, int bytes) { return ReadNumber(p, bytes, true); }

inline uint32_t ReadLittleEndian(const uint8_t* p, int bytes) {
  return ReadNumber(p, bytes, false);
}
