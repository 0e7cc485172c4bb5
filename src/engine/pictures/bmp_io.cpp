#include "pictures/bmp_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "pictures/byte_order.h"

namespace {

constexpr size_t kChunkBytes = 256 * 1024;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;

bool PlainLayout(const uint8_t* data, size_t size, int bits, uint32_t compression) {
  if (bits == 24) return compression == kRgb;
  if (bits != 32) return false;
  if (compression == kRgb) return true;
  if (compression != kBitFields || size < 66) return false;
  return ReadLittleEndian(data + 54, 4) == 0xFF0000 && ReadLittleEndian(data + 58, 4) == 0xFF00 &&
         ReadLittleEndian(data + 62, 4) == 0xFF;
}

bool ReadAt(int fd, uint8_t* buffer, size_t length, uint64_t offset) {
  while (length > 0) {
    ssize_t n = pread(fd, buffer, length, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer += n, length -= static_cast<size_t>(n), offset += static_cast<uint64_t>(n);
  }
  return true;
}

// The small raster keeps the file's band order until here: B, G, R (, X).
// Reordered where it lies, front to back, so no pixel is held twice.
void ToRgb(Raster* raster) {
  const auto bands = static_cast<size_t>(raster->bands);
  const size_t count = raster->pixels.size() / bands;
  uint8_t* px = raster->pixels.data();
  for (size_t i = 0; i < count; ++i) {
    const uint8_t blue = px[i * bands], green = px[i * bands + 1], red = px[i * bands + 2];
    px[i * 3] = red, px[i * 3 + 1] = green, px[i * 3 + 2] = blue;
  }
  raster->pixels.resize(count * 3);
  raster->bands = 3;
}

// Feeds the rows top to bottom, reading the file in chunks of whole rows.
bool FeedRows(int fd, const BmpHeader& h, size_t stride, RowResamplers* resamplers) {
  size_t rows_per_chunk = std::max<size_t>(1, kChunkBytes / stride);
  std::vector<uint8_t> chunk(rows_per_chunk * stride);
  auto height = static_cast<size_t>(h.height);
  for (size_t first = 0; first < height; first += rows_per_chunk) {
    size_t rows = std::min(rows_per_chunk, height - first);
    size_t file_row = h.top_down ? first : height - first - rows;
    if (!ReadAt(fd, chunk.data(), rows * stride, h.pixel_offset + file_row * stride)) return false;
    for (size_t r = 0; r < rows; ++r)
      resamplers->AddRow(&chunk[(h.top_down ? r : rows - 1 - r) * stride]);
  }
  return true;
}

}  // namespace

bool ParseBmpHeader(const uint8_t* data, size_t size, BmpHeader* out) {
  if (size < 26 || data[0] != 'B' || data[1] != 'M') return false;
  BmpHeader h;
  h.pixel_offset = ReadLittleEndian(data + 10, 4);
  uint32_t info_size = ReadLittleEndian(data + 14, 4);
  if (info_size == 12) {  // the old core header: 16-bit sizes, never plain here
    h.width = ReadLittleEndian(data + 18, 2), h.height = ReadLittleEndian(data + 20, 2),
    h.bits = ReadLittleEndian(data + 24, 2);
  } else if (info_size >= 40 && size >= 34) {
    h.width = static_cast<int32_t>(ReadLittleEndian(data + 18, 4));
    h.height = static_cast<int32_t>(ReadLittleEndian(data + 22, 4));
    h.bits = ReadLittleEndian(data + 28, 2);
    h.top_down = h.height < 0;
    h.height = h.top_down ? -h.height : h.height;
    h.plain = PlainLayout(data, size, h.bits, ReadLittleEndian(data + 30, 4));
  } else {
    return false;
  }
  if (h.width <= 0 || h.height <= 0) return false;
  *out = h;
  return true;
}

ReadStatus ReadBmp(int fd, const SizePlan& plan, DecodedPicture* out, std::string* err) {
  uint8_t head[kBmpHeaderBytes] = {};
  ssize_t got = pread(fd, head, sizeof head, 0);
  BmpHeader h;
  if (got < 0 || !ParseBmpHeader(head, static_cast<size_t>(got), &h)) {
    *err = "not a BMP picture";
    return ReadStatus::kFailed;
  }
  if (!h.plain) return ReadStatus::kUnsupported;
  std::vector<ThumbSize> want;
  if (!plan({h.width, h.height}, 1, &want, err)) return ReadStatus::kFailed;
  int bands = h.bits / 8;
  size_t stride = (static_cast<size_t>(h.width) * h.bits + 31) / 32 * 4;
  struct stat st;
  if (fstat(fd, &st) != 0 || static_cast<uint64_t>(st.st_size) <
                                 h.pixel_offset + stride * static_cast<uint64_t>(h.height)) {
    *err = "BMP file is cut short";
    return ReadStatus::kFailed;
  }
  RowResamplers resamplers(static_cast<int>(h.width), static_cast<int>(h.height), bands, want);
  if (!FeedRows(fd, h, stride, &resamplers)) {
    *err = "cannot read the BMP rows";
    return ReadStatus::kFailed;
  }
  out->rasters = resamplers.Finish();
  for (Raster& raster : out->rasters) ToRgb(&raster);
  return ReadStatus::kOk;
}
