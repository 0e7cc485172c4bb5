#include "pictures/raster.h"

#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "thumb_fixtures.h"

namespace {

using namespace thumb_test;

Raster Resample(const Raster& in, int out_width, int out_height, const Shrink& shrink = {}) {
  RowResampler resampler(in.width, in.height, in.bands, out_width, out_height, shrink);
  for (int y = 0; y < in.height; ++y) resampler.AddRow(&in.pixels[size_t(y) * in.width * in.bands]);
  return resampler.Finish();
}

// Random rows through each instruction set the machine has, against the plainest (the last); an
// even colour stays even.
TEST(RowResamplerTest, EveryInstructionSetGivesTheSameResultAndKeepsAnEvenColour) {
  // A size, bands, the size out, and the decoder's shrink factor with the picture's size.
  // clang-format off
  const int cases[][8] = {{500, 375, 3, 133, 100, 8, 3999, 3000}, {1, 1, 1, 5, 3, 1, 0, 0},
      {347, 213, 1, 101, 67, 1, 0, 0}, {1021, 767, 3, 133, 99, 1, 0, 0}, {9, 5, 4, 3, 2, 1, 0, 0},
      {1023, 769, 4, 135, 101, 1, 0, 0}, {643, 482, 1, 57, 43, 8, 5140, 3853},
      {37, 29, 3, 90, 71, 1, 0, 0}};
  // clang-format on
  std::mt19937 random(28);
  std::vector<int64_t> targets = hwy::SupportedAndGeneratedTargets();
  for (auto [in_w, in_h, bands, out_w, out_h, factor, picture_w, picture_h] : cases) {
    const uint8_t level = 250 - 60 * bands;  // 190, 70 or 10
    Raster in{in_w, in_h, bands, std::vector<uint8_t>(size_t(in_w) * in_h * bands)}, out;
    Raster even{in_w, in_h, bands, std::vector<uint8_t>(in.pixels.size(), level)};
    for (uint8_t& v : in.pixels) v = static_cast<uint8_t>(random());
    const Shrink shrink{double(factor), double(factor), picture_w, picture_h};
    for (int64_t target : targets) {
      hwy::SetSupportedTargetsForTest(target);
      Raster last = out;
      out = Resample(in, out_w, out_h, shrink);
      EXPECT_TRUE(last.pixels.empty() || out.pixels == last.pixels)
          << hwy::TargetName(target) << ", " << in_w << "x" << in_h << "x" << bands;
      EXPECT_EQ(Resample(even, out_w, out_h, shrink).pixels,
                std::vector<uint8_t>(out.pixels.size(), level));
    }
    hwy::SetSupportedTargetsForTest(0);
  }
}

// Stripes of 2 pixels, 64 and 192, reduced by 1.4: Lanczos-3 keeps a swing of about 167 (Lanczos-2
// 145, a triangle 128); as the 1/8 decode of a picture 8 times as wide they are sharpened back to
// about 181, and no more, or edges would ring.
TEST(RowResamplerSharpnessTest, FineStripesKeepTheirContrastWhenReducedByAboutOneAndAHalf) {
  for (auto [factor, floor, ceiling] : {std::tuple{1, 155, 172}, {8, 172, 186}}) {
    for (int width = 280; width < 296; ++width) {  // every phase of output to source
      Raster stripes = MakeRaster(width, 8, [](int x, int) {
        return x % 4 < 2 ? Rgb{192, 192, 192} : Rgb{64, 64, 64};
      });
      Raster r = Resample(stripes, width * 5 / 7, 8, {double(factor), 1.0, width * factor, 8});
      int high = 0, low = 255;  // 10 pixels at each end left out
      for (int x = 10; x < r.width - 10; ++x)
        high = std::max<int>(high, PixelAt(r, x, 4).r),
        low = std::min<int>(low, PixelAt(r, x, 4).r);
      EXPECT_TRUE(high - low >= floor && high - low <= ceiling)
          << high - low << ", factor " << factor << ", width " << width;
    }
  }
}

TEST(OrientTest, TurnsEveryOrientationUpright) {
  const std::pair<int, std::string> cases[] = {
      {1, "abc|def"},  {2, "cba|fed"},  {3, "fed|cba"},  {4, "def|abc"}, {5, "ad|be|cf"},
      {6, "da|eb|fc"}, {7, "fc|eb|da"}, {8, "cf|be|ad"}, {0, "abc|def"}, {9, "abc|def"}};
  for (const auto& [orientation, rows] : cases) {
    Raster out{3, 2, 1, {'a', 'b', 'c', 'd', 'e', 'f'}};  // stored 3 x 2, one grey band
    const uint8_t* held = out.pixels.data();
    Orient(&out, orientation);
    EXPECT_EQ(out.pixels.data(), held) << orientation;  // turned where it lies
    std::string got(out.pixels.begin(), out.pixels.end());
    for (size_t at = out.width; at < got.size(); at += out.width + 1) got.insert(at, "|");
    EXPECT_EQ(got, rows) << orientation;
  }
}

}  // namespace
