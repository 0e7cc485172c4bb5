#include "pictures/raster.h"

#include <gtest/gtest.h>

#include <string>

#include "thumb_fixtures.h"

namespace {

using thumb_test::MakeRaster;
using thumb_test::PixelAt;
using thumb_test::Rgb;

Raster Resample(const Raster& in, int out_width, int out_height) {
  RowResampler resampler(in.width, in.height, in.bands, out_width, out_height);
  size_t stride = static_cast<size_t>(in.width) * in.bands;
  for (int y = 0; y < in.height; ++y) resampler.AddRow(&in.pixels[y * stride]);
  return resampler.Finish();
}

struct SizeCase {
  int in_w, in_h, out_w, out_h;
};

TEST(RowResamplerTest, KeepsAnEvenColourAtEverySize) {
  const SizeCase cases[] = {{400, 300, 133, 100}, {50, 40, 125, 100}, {1600, 1200, 133, 100},
                            {7, 3, 1, 1},         {1, 1, 5, 5},       {9, 48, 7, 40},
                            {300, 20, 10, 80}};
  for (const SizeCase& c : cases) {
    Raster out =
        Resample(MakeRaster(c.in_w, c.in_h, thumb_test::Solid({10, 128, 250})), c.out_w, c.out_h);
    std::string where = std::to_string(c.in_w) + "x" + std::to_string(c.in_h) + " -> " +
                        std::to_string(c.out_w) + "x" + std::to_string(c.out_h);
    ASSERT_EQ(out.width, c.out_w) << where;
    ASSERT_EQ(out.height, c.out_h) << where;
    for (int y = 0; y < out.height; ++y) {
      for (int x = 0; x < out.width; ++x) {
        Rgb p = PixelAt(out, x, y);
        ASSERT_TRUE(p.r == 10 && p.g == 128 && p.b == 250) << where << " at " << x << "," << y;
      }
    }
  }
}

TEST(RowResamplerTest, KeepsLeftRightAndTopBottomApart) {
  // Black on the left and top quarter, white elsewhere, shrunk by box and filter.
  Raster in = MakeRaster(800, 600, [](int x, int y) {
    uint8_t v = (x < 200 || y < 150) ? 0 : 255;
    return Rgb{v, v, v};
  });
  Raster out = Resample(in, 40, 30);
  EXPECT_LT(PixelAt(out, 2, 20).r, 10);
  EXPECT_LT(PixelAt(out, 20, 2).r, 10);
  EXPECT_GT(PixelAt(out, 30, 20).r, 245);
}

TEST(OrientTest, TurnsEveryOrientationUpright) {
  // Stored 3 x 2:  a b c / d e f, one grey band each.
  Raster stored{3, 2, 1, {'a', 'b', 'c', 'd', 'e', 'f'}};
  const struct {
    int orientation;
    int width;
    std::string pixels;
  } cases[] = {{1, 3, "abcdef"}, {2, 3, "cbafed"}, {3, 3, "fedcba"}, {4, 3, "defabc"},
               {5, 2, "adbecf"}, {6, 2, "daebfc"}, {7, 2, "fcebda"}, {8, 2, "cfbead"},
               {0, 3, "abcdef"}, {9, 3, "abcdef"}};
  for (const auto& c : cases) {
    Raster out = Orient(stored, c.orientation);
    EXPECT_EQ(out.width, c.width) << c.orientation;
    EXPECT_EQ(std::string(out.pixels.begin(), out.pixels.end()), c.pixels) << c.orientation;
  }
}

}  // namespace
