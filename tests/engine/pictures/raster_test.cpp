#include "pictures/raster.h"

#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>

#include "thumb_fixtures.h"

namespace {

using thumb_test::MakeRaster;
using thumb_test::PixelAt;
using thumb_test::Rgb;

Raster Resample(const Raster& in, int out_width, int out_height, const Shrink& shrink = {}) {
  RowResampler resampler(in.width, in.height, in.bands, out_width, out_height, shrink);
  size_t stride = static_cast<size_t>(in.width) * in.bands;
  for (int y = 0; y < in.height; ++y) resampler.AddRow(&in.pixels[y * stride]);
  return resampler.Finish();
}

struct SizeCase {
  int in_w, in_h, out_w, out_h;
};

TEST(RowResamplerTest, KeepsAnEvenColourAtEverySize) {
  const SizeCase cases[] = {
      {400, 300, 133, 100}, {50, 40, 125, 100}, {7, 3, 1, 1}, {1, 1, 5, 5}, {300, 20, 10, 80}};
  for (const SizeCase& c : cases) {
    Raster in = MakeRaster(c.in_w, c.in_h, thumb_test::Solid({10, 128, 250}));
    Raster out = Resample(in, c.out_w, c.out_h);
    Raster even = MakeRaster(c.out_w, c.out_h, thumb_test::Solid({10, 128, 250}));
    EXPECT_TRUE(out.width == c.out_w && out.height == c.out_h && out.pixels == even.pixels)
        << c.in_w << "x" << c.in_h << " -> " << c.out_w << "x" << c.out_h;
  }
}

// fn() run with each instruction set the machine has, the plainest last.
template <typename Fn>
auto OnEveryTarget(const std::vector<int64_t>& targets, Fn fn) {
  std::vector<decltype(fn())> outs;
  for (int64_t target : targets) {
    hwy::SetSupportedTargetsForTest(target);
    outs.push_back(fn());
  }
  hwy::SetSupportedTargetsForTest(0);
  return outs;
}

// Random taps over a row of `in` pixels, `width` at most per pixel.
FilterTaps RandomTaps(int in, int out, int width, std::mt19937* random) {
  FilterTaps taps{width, {}, {}, std::vector<float>((out + 3) / 4 * 4 * width)};
  std::uniform_real_distribution<float> weight(-1.0f, 1.0f);
  for (int i = 0; i < out; ++i) {
    taps.first.push_back(static_cast<int32_t>((*random)() % in));
    taps.count.push_back(1 + static_cast<int>((*random)() % width));
    for (int k = 0; k < taps.count.back(); ++k)
      taps.weights[(i / 4 * width + k) * 4 + i % 4] = weight(*random);
  }
  taps.first.resize(taps.weights.size() / width), taps.count.resize(taps.first.size());
  return taps;
}

TEST(RowResamplerTest, EveryInstructionSetGivesTheSameResult) {
  // Random rows through each instruction set, against the plainest; the
  // filter along a row is also compared as floats, on random taps.
  const struct {
    int in_w, in_h, bands, out_w, out_h;
    Shrink shrink;
  } cases[] = {{500, 375, 3, 133, 100, {8, 8, 3999, 3000}},
               {347, 213, 1, 101, 67, {}},
               {1021, 767, 3, 133, 99, {}},
               {1023, 769, 4, 135, 101, {}},
               {643, 482, 1, 57, 43, {8, 8, 5140, 3853}},
               {37, 29, 3, 90, 71, {}},
               {9, 5, 4, 3, 2, {}},
               {1, 1, 1, 5, 3, {}}};
  std::mt19937 random(28);
  std::vector<int64_t> targets = hwy::SupportedAndGeneratedTargets();
  for (const auto& c : cases) {
    Raster in{c.in_w, c.in_h, c.bands, std::vector<uint8_t>(size_t(c.in_w) * c.in_h * c.bands)};
    for (uint8_t& v : in.pixels) v = static_cast<uint8_t>(random());
    auto bytes = OnEveryTarget(targets, [&] { return Resample(in, c.out_w, c.out_h, c.shrink); });
    FilterTaps taps = RandomTaps(c.in_w, c.out_w, 1 + c.in_h % 13, &random);
    std::vector<float> row((c.in_w + taps.width) * c.bands + 4);
    std::uniform_real_distribution<float> value(0.0f, 255.0f);
    for (float& v : row) v = value(random);
    auto floats = OnEveryTarget(targets, [&] {
      std::vector<float> out(taps.first.size() * c.bands + 3);
      FilterAlongRow(taps, c.bands, row.data(), out.data());
      return out;
    });
    for (size_t t = 0; t + 1 < targets.size(); ++t) {
      EXPECT_TRUE(bytes[t].pixels == bytes.back().pixels)
          << hwy::TargetName(targets[t]) << ", " << c.in_w << "x" << c.in_h << "x" << c.bands;
      EXPECT_TRUE(floats[t] == floats.back())
          << hwy::TargetName(targets[t]) << ", floats, " << c.in_w << "x" << c.bands;
    }
  }
}

// Grey columns: `grey(x)` down every row.
template <typename Grey>
Raster Columns(int width, int height, Grey grey) {
  return MakeRaster(width, height, [&grey](int x, int) {
    auto v = static_cast<uint8_t>(grey(x));
    return Rgb{v, v, v};
  });
}

// The swing (largest minus smallest grey) of the middle row, and how far it
// goes beyond 64..192; 10 pixels at each end are left out.
struct Swing {
  int swing = 0, overshoot = 0;
};
Swing SwingOf(const Raster& r) {
  int high = 0, low = 255;
  for (int x = 10; x < r.width - 10; ++x) {
    int v = PixelAt(r, x, r.height / 2).r;
    high = std::max(high, v), low = std::min(low, v);
  }
  return {high - low, std::max(high - 192, 64 - low)};
}

// A picture `full` pixels wide, 64 left of `edge` and 192 from it on, as the
// 1/8 scale decode of a JPEG gives it: each pixel the mean of 8.
Raster BlockMeansOfEdge(int full, int edge) {
  return Columns((full + 7) / 8, 8, [full, edge](int x) {
    int count = std::min(8, full - 8 * x), sum = 0;
    for (int k = 8 * x; k < 8 * x + count; ++k) sum += k < edge ? 64 : 192;
    return (sum + count / 2) / count;
  });
}

TEST(RowResamplerSharpnessTest, FineStripesKeepTheirContrastWhenReducedByAboutOneAndAHalf) {
  // Stripes of 2 pixels, 64 and 192, reduced by 1.4: Lanczos-3 keeps a swing
  // of about 165 (Lanczos-2 and Catmull-Rom 145, a triangle 128); as the 1/8
  // decode of a picture 8 times as wide they are sharpened back to about 180.
  const struct { int factor, floor; } cases[] = {{1, 155}, {8, 172}};
  for (const auto& c : cases) {
    for (int extra = 0; extra < 16; ++extra) {  // every phase of output to source
      int width = 280 + extra;
      Raster stripes = Columns(width, 8, [](int x) { return x % 4 < 2 ? 192 : 64; });
      Shrink shrink{double(c.factor), 1.0, width * c.factor, 8};
      int swing = SwingOf(Resample(stripes, width * 5 / 7, 8, shrink)).swing;
      EXPECT_GE(swing, c.floor) << "factor " << c.factor << ", width " << width;
    }
  }
}

TEST(RowResamplerSharpnessTest, HardEdgesRingNoMoreThanLanczos3) {
  // The largest overshoot of a 64 | 192 edge, over many positions, reduced
  // by 1.4: as whole pixels (Lanczos-3 alone, about 11), and as the block
  // means of a picture 8 times as large, which are sharpened.
  int lanczos = 0, sharpened = 0;
  for (int extra = 0; extra < 32; ++extra) {
    int width = 140 + extra;
    Raster edge = Columns(width, 8, [width](int x) { return x < width / 2 ? 64 : 192; });
    lanczos = std::max(lanczos, SwingOf(Resample(edge, 100, 8)).overshoot);
  }
  for (int extra = 0; extra < 64; ++extra) {
    int full = 1120 + extra;
    Raster edge = BlockMeansOfEdge(full, full / 2 + extra % 8);
    sharpened =
        std::max(sharpened, SwingOf(Resample(edge, 100, 8, Shrink{8.0, 1.0, full, 8})).overshoot);
  }
  EXPECT_GT(lanczos, 5);
  EXPECT_LE(sharpened, lanczos + 2);
}

TEST(OrientTest, TurnsEveryOrientationUpright) {
  // Stored 3 x 2:  a b c / d e f, one grey band each.
  Raster stored{3, 2, 1, {'a', 'b', 'c', 'd', 'e', 'f'}};
  const struct {
    int orientation, width;
    std::string pixels;
  } cases[] = {{1, 3, "abcdef"}, {2, 3, "cbafed"}, {3, 3, "fedcba"}, {4, 3, "defabc"},
               {5, 2, "adbecf"}, {6, 2, "daebfc"}, {7, 2, "fcebda"}, {8, 2, "cfbead"},
               {0, 3, "abcdef"}, {9, 3, "abcdef"}};
  for (const auto& c : cases) {
    Raster out = stored;
    const uint8_t* held = out.pixels.data();
    Orient(&out, c.orientation);
    EXPECT_EQ(out.pixels.data(), held) << c.orientation;  // turned where it lies
    EXPECT_EQ(out.width, c.width) << c.orientation;
    EXPECT_EQ(std::string(out.pixels.begin(), out.pixels.end()), c.pixels) << c.orientation;
  }
}

}  // namespace
