// Small pictures made in the tests, and a look at the JPEG files written.
#pragma once

#include <fcntl.h>
#include <lcms2.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "pictures/jpeg_io.h"
#include "pictures/raster.h"
#include "pictures/thumbnails.h"
#include "temp_folder.h"

namespace thumb_test {

struct Rgb {
  uint8_t r, g, b;
};
using PixelFn = std::function<Rgb(int x, int y)>;

inline PixelFn Solid(Rgb c) {
  return [c](int, int) { return c; };
}

inline Raster MakeRaster(int width, int height, const PixelFn& pixel) {
  Raster r{width, height, 3, {}};
  for (int i = 0; i < width * height; ++i)
    for (Rgb c = pixel(i % width, i / width); uint8_t v : {c.r, c.g, c.b}) r.pixels.push_back(v);
  return r;
}

inline std::string Jpeg(int width, int height, const PixelFn& pixel = Solid({200, 120, 40}),
                        bool progressive = false) {
  std::string bytes, err;
  EncodeJpeg(MakeRaster(width, height, pixel), 95, progressive, &bytes, &err);
  return bytes;
}

// `jpeg` with a marker segment (0xFF, marker, length, payload) after SOI.
inline std::string WithSegment(const std::string& jpeg, uint8_t marker,
                               const std::string& payload) {
  size_t length = payload.size() + 2;
  return jpeg.substr(0, 2) + char(0xFF) + char(marker) + char(length >> 8) + char(length) +
         payload + jpeg.substr(2);
}

// An APP1 payload holding only an orientation tag, in either byte order.
inline std::string ExifPayload(int orientation, bool big_endian = false) {
  auto n16 = [&](int v) {
    return big_endian ? std::string{char(v >> 8), char(v)} : std::string{char(v), char(v >> 8)};
  };
  auto n32 = [&](int v) { return big_endian ? n16(0) + n16(v) : n16(v) + n16(0); };
  return std::string("Exif\0\0", 6) + (big_endian ? "MM" : "II") + n16(42) + n32(8) + n16(1) +
         n16(0x0112) + n16(3) + n32(1) + n16(orientation) + n16(0) + n32(0);
}

// An uncompressed BMP: 24 or 32 bits, rows stored bottom-up unless asked.
inline std::string Bmp(int width, int height, int bits, bool top_down, const PixelFn& pixel) {
  auto le32 = [](uint32_t v) {
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  };
  std::string pixels;
  for (int row = 0; row < height; ++row) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      Rgb c = pixel(x, top_down ? row : height - 1 - row);
      line += std::string{char(c.b), char(c.g), char(c.r)} + std::string(bits / 32, '\0');
    }
    line.resize((static_cast<size_t>(width) * bits + 31) / 32 * 4, '\0'), pixels += line;
  }
  std::string info = le32(40) + le32(width) + le32(top_down ? -height : height) +
                     le32(1 | bits << 16) + le32(0) + le32(pixels.size()) + le32(2835) +
                     le32(2835) + le32(0) + le32(0);
  return "BM" + le32(14 + 40 + pixels.size()) + le32(0) + le32(14 + 40) + info + pixels;
}

// A mid-grey JPEG with EXIF and, in one APP2 chunk, a profile of sRGB primaries but linear curves.
inline std::string LinearJpeg() {
  cmsCIExyY white = {0.3127, 0.3290, 1.0};
  cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
  cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
  cmsToneCurve* curves[3] = {linear, linear, linear};
  cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  std::string bytes = std::string("ICC_PROFILE\0\x01\x01", 14) + std::string(size, '\0');
  cmsSaveProfileToMem(profile, bytes.data() + 14, &size);
  cmsCloseProfile(profile), cmsFreeToneCurve(linear);
  return WithSegment(WithSegment(Jpeg(64, 64, Solid({128, 128, 128})), 0xE2, bytes), 0xE1,
                     ExifPayload(1));
}

// What a JPEG says of itself: "width x height", " progressive", " metadata" for each APP1 or APP2
// segment, and each comment in quotes.
inline std::string Facts(const std::string& jpeg) {
  std::string size, more;
  auto at = [&jpeg](size_t i) { return uint8_t(jpeg[i]) << 8 | uint8_t(jpeg[i + 1]); };
  for (size_t i = 2; i + 9 < jpeg.size() && uint8_t(jpeg[i]) == 0xFF; i += 2 + at(i + 2)) {
    uint8_t marker = jpeg[i + 1];
    if (marker == 0xE1 || marker == 0xE2) more += " metadata";
    if (marker == 0xFE) more += " \"" + jpeg.substr(i + 4, at(i + 2) - 2) + "\"";
    if (marker == 0xC0 || marker == 0xC2)
      size = std::to_string(at(i + 7)) + " x " + std::to_string(at(i + 5)) +
             (marker == 0xC2 ? " progressive" : "");
    if (marker == 0xDA) break;
  }
  return size + more;
}

// The pixels of a JPEG file at full size, or read at `size`.
inline Raster Decode(const std::string& path, ThumbSize size = {}) {
  int fd = open(path.c_str(), O_RDONLY);
  DecodedPicture decoded;
  std::string err;
  auto choose = [size](ThumbSize stored, int, std::vector<ThumbSize>* out, std::string*) {
    return out->push_back(size.width ? size : stored), true;
  };
  ReadJpeg(fd, choose, &decoded, &err), close(fd);
  return decoded.rasters.empty() ? Raster() : decoded.rasters[0];
}

// A thumbnail made of `bytes`, written as `name` into `dir` (Make), and its JPEG and pixels if any.
struct MadeThumb {
  ThumbResult result;
  std::string bytes = "";
  Raster pixels = {};
};

inline std::string Data(const std::string& name) {
  return ReadFile(KESTO_TEST_DATA "/thumbs/" + name);
}

inline MadeThumb Make(const TempFolder& dir, const std::string& bytes, const std::string& name,
                      const ThumbOptions& options = {}, const ThumbChoices& choices = {}) {
  std::string thumb = dir.Path("thumb.jpg");
  dir.Write(name, bytes), std::filesystem::remove(thumb);
  MadeThumb made{MakeThumbnail(dir.Path(name), thumb, ThumbTarget(options), options, choices)};
  if (made.result.exists) made.bytes = ReadFile(thumb), made.pixels = Decode(thumb);
  return made;
}

inline Rgb PixelAt(const Raster& r, int x, int y) {
  const uint8_t* p = &r.pixels[(static_cast<size_t>(y) * r.width + x) * r.bands];
  return r.bands == 3 ? Rgb{p[0], p[1], p[2]} : Rgb{p[0], p[0], p[0]};
}

}  // namespace thumb_test
