#include "pages/jpeg_size.h"

#include <fstream>

#include "settings/file_io.h"

namespace {

constexpr size_t kHeadBytes = 1 << 16;  // the frame header of a thumbnail lies far before

int Word(std::string_view bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) << 8 | static_cast<unsigned char>(bytes[at + 1]);
}

// Start-of-frame markers: C0 to CF but DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameHeader(unsigned char marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

}  // namespace

PixelSize ParseJpegSize(std::string_view bytes) {
  if (!bytes.starts_with("\xFF\xD8")) return {};
  size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (static_cast<unsigned char>(bytes[at]) != 0xFF) return {};
    auto marker = static_cast<unsigned char>(bytes[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return {};  // the end, or a scan before any frame
    if (IsFrameHeader(marker)) {
      if (at + 9 > bytes.size()) return {};
      return {Word(bytes, at + 7), Word(bytes, at + 5)};
    }
    at += 2 + static_cast<size_t>(Word(bytes, at + 2));
  }
  return {};
}

PixelSize JpegSize(const std::string& path) {
  if (!IsRegularFile(path)) return {};  // a pipe would never end
  std::ifstream in(path, std::ios::binary);
  std::string head(kHeadBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return ParseJpegSize(head);
}
