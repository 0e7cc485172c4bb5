#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "pictures/bmp_io.h"
#include "pictures/colour.h"
#include "pictures/jpeg_io.h"
#include "thumb_fixtures.h"

namespace {

using thumb_test::ExifPayload;

int Orientation(const std::string& exif_payload) {
  std::string tiff = exif_payload.substr(6);  // after "Exif\0\0"
  return ExifOrientation(reinterpret_cast<const uint8_t*>(tiff.data()), tiff.size());
}

TEST(ExifOrientationTest, ReadsTheTagOrFallsBackToUpright) {
  std::string good = ExifPayload(6);
  std::string wrong_type = good;
  wrong_type[6 + 8 + 2 + 2] = 4;  // LONG instead of SHORT
  std::string far_ifd = good;
  far_ifd[6 + 4] = 100;  // IFD offset beyond the block
  const struct {
    const char* name;
    std::string payload;
    int expected;
  } cases[] = {
      {"little endian", ExifPayload(6), 6},
      {"big endian", ExifPayload(8, true), 8},
      {"upright", ExifPayload(1), 1},
      {"out of range", ExifPayload(9), 1},
      {"zero", ExifPayload(0), 1},
      {"cut short", good.substr(0, 6 + 14), 1},
      {"not TIFF", std::string("Exif\0\0XX*\0\x08\0\0\0", 14), 1},
      {"wrong type", wrong_type, 1},
      {"IFD beyond the end", far_ifd, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Orientation(c.payload), c.expected) << c.name;
}

TEST(BmpHeaderTest, ReadsSizeLayoutAndRowOrder) {
  auto pixel = thumb_test::Solid({1, 2, 3});
  const struct {
    const char* name;
    std::string bytes;
    bool ok;
    int64_t width, height;
    bool top_down, plain;
  } cases[] = {
      {"24-bit", thumb_test::Bmp(5, 4, 24, false, pixel), true, 5, 4, false, true},
      {"32-bit top-down", thumb_test::Bmp(3, 2, 32, true, pixel), true, 3, 2, true, true},
      {"not BM", "XM" + thumb_test::Bmp(5, 4, 24, false, pixel).substr(2), false, 0, 0, false,
       false},
      {"cut short", thumb_test::Bmp(5, 4, 24, false, pixel).substr(0, 20), false, 0, 0, false,
       false},
  };
  for (const auto& c : cases) {
    BmpHeader h;
    bool ok = ParseBmpHeader(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                             std::min(c.bytes.size(), kBmpHeaderBytes), &h);
    ASSERT_EQ(ok, c.ok) << c.name;
    if (!ok) continue;
    EXPECT_EQ(h.width, c.width) << c.name;
    EXPECT_EQ(h.height, c.height) << c.name;
    EXPECT_EQ(h.top_down, c.top_down) << c.name;
    EXPECT_EQ(h.plain, c.plain) << c.name;
  }
}

TEST(BmpHeaderTest, RefusesAZeroWidthAndKnowsEightBitsIsNotPlain) {
  std::string bmp = thumb_test::Bmp(5, 4, 24, false, thumb_test::Solid({0, 0, 0}));
  std::string zero = bmp, eight = bmp;
  zero[18] = 0;
  eight[28] = 8;
  BmpHeader h;
  EXPECT_FALSE(ParseBmpHeader(reinterpret_cast<const uint8_t*>(zero.data()), 54, &h));
  ASSERT_TRUE(ParseBmpHeader(reinterpret_cast<const uint8_t*>(eight.data()), 54, &h));
  EXPECT_FALSE(h.plain);
}

TEST(ConvertToSrgbTest, ConvertsByTheProfileOrLeavesThePixels) {
  Raster grey = thumb_test::MakeRaster(2, 2, thumb_test::Solid({128, 128, 128}));
  Raster converted = grey;
  ConvertToSrgb(thumb_test::LinearRgbProfile(), &converted);
  EXPECT_NEAR(converted.pixels[0], 188, 2);  // linear 0.5 is sRGB 188

  std::vector<uint8_t> broken = {'n', 'o', 't', ' ', 'I', 'C', 'C'};
  for (const auto& profile : {std::vector<uint8_t>(), broken}) {
    Raster same = grey;
    ConvertToSrgb(profile, &same);
    EXPECT_EQ(same.pixels, grey.pixels);
  }
  Raster one_band{2, 2, 1, {128, 128, 128, 128}};
  ConvertToSrgb(thumb_test::LinearRgbProfile(), &one_band);  // an RGB profile does not fit
  EXPECT_EQ(one_band.bands, 1);
}

// Where grey(i), rising from 64 to 192 between i = 90 and 99, crosses 128,
// in the coordinates where pixel i spans i..i + 1.
template <typename Grey>
double Crossing(Grey grey) {
  int i = 90;
  while (i < 98 && grey(i + 1) < 128) ++i;
  return i + 0.5 + (128 - grey(i)) / (grey(i + 1) - grey(i));
}

TEST(ReadJpegTest, APartlyCoveredLastBlockDoesNotShiftThePicture) {
  // 1153 is 144 whole blocks of 8 and one pixel: decoded at 1/8 the last row
  // and column stand for one picture pixel. An edge at picture row or column
  // 1100 belongs at 1100 * 100 / 1153 = 95.40 in a 100 x 100 thumbnail, in
  // the scaled decode of a baseline file and in the DC scans of a
  // progressive one alike.
  TempFolder dir;
  auto corner = [](int x, int y) {
    uint8_t v = x < 1100 && y < 1100 ? 64 : 192;
    return thumb_test::Rgb{v, v, v};
  };
  for (bool progressive : {false, true}) {
    dir.Write("corner.jpg", thumb_test::Jpeg(1153, 1153, corner, progressive));
    int fd = open(dir.Path("corner.jpg").c_str(), O_RDONLY);
    DecodedPicture decoded;
    std::string err;
    ReadStatus status = ReadJpeg(
        fd,
        [](ThumbSize, int, ThumbSize* out, std::string*) {
          *out = {100, 100};
          return true;
        },
        &decoded, &err);
    close(fd);
    ASSERT_EQ(status, ReadStatus::kOk) << err;
    auto grey = [&decoded](int x, int y) {
      return double(thumb_test::PixelAt(decoded.raster, x, y).r);
    };
    const char* kind = progressive ? "progressive" : "baseline";
    EXPECT_NEAR(Crossing([&](int y) { return grey(50, y); }), 1100 * 100.0 / 1153, 0.1) << kind;
    EXPECT_NEAR(Crossing([&](int x) { return grey(x, 50); }), 1100 * 100.0 / 1153, 0.1) << kind;
  }
}

}  // namespace
