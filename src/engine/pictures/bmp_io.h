// Uncompressed 24- and 32-bit BMP pictures, read with bounded memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "pictures/picture_read.h"

/// How many bytes of the file ParseBmpHeader looks at.
constexpr size_t kBmpHeaderBytes = 14 + 124;

struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;     // rows, whichever way they are stored
  bool top_down = false;  // rows stored top row first
  int bits = 0;           // bits per pixel
  uint32_t pixel_offset = 0;
  bool plain = false;  // 24-bit, or 32-bit with B, G, R in bytes 0..2
};

/// Reads the file and info headers from the first bytes of a file (up to
/// kBmpHeaderBytes). False when they are not a BMP's or claim no pixels.
bool ParseBmpHeader(const uint8_t* data, size_t size, BmpHeader* out);

/// Reads the BMP open at `fd`. Variants other than plain 24/32-bit are
/// kUnsupported; a file shorter than its pixel rows is kFailed.
ReadStatus ReadBmp(int fd, const SizePlan& plan, DecodedPicture* out, std::string* err);
