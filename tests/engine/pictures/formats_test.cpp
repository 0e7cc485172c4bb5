// The extra picture types: read only when chosen, upright, in sRGB, at the
// size rule's size, and never a crash on damaged bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "pictures/thumbnails.h"
#include "pictures/vips_io.h"
#include "thumb_fixtures.h"

namespace {

using thumb_test::Facts;
using thumb_test::PixelAt;
using thumb_test::Rgb;

// The fixtures of tests/data/make-extra-formats.py: 96 x 48 stored, red left and blue
// right in Display P3, to be turned a quarter clockwise.
struct Fixture {
  const char* file;
  ExtraFormat format;
};

const Fixture kFixtures[] = {{"rotated.webp", ExtraFormat::kWebp},
                             {"rotated.tif", ExtraFormat::kTiff},
                             {"rotated.heic", ExtraFormat::kHeic},
                             {"rotated.avif", ExtraFormat::kAvif}};

std::string FixtureBytes(const Fixture& f) {
  return ReadFile(std::string(KESTO_TEST_DATA) + "/thumbs/" + f.file);
}

ExtraFormats Only(ExtraFormat format) {
  ExtraFormats formats;
  formats.Add(format);
  return formats;
}

ExtraFormats All() { return ExtraFormats{0x1F}; }

ThumbOptions Height(const std::string& height) {
  ThumbOptions options;
  options.Height = height;
  return options;
}

// Makes a thumbnail of `bytes` written to `name`; "" when none was written.
std::string Thumb(const TempFolder& dir, const std::string& name, const std::string& bytes,
                  const ThumbOptions& options, const ThumbChoices& choices,
                  std::string* error = nullptr) {
  dir.Write(name, bytes);
  std::string thumb = dir.Path("thumb.jpg");
  std::filesystem::remove(thumb);
  ThumbResult made = MakeThumbnail(dir.Path(name), thumb, ThumbTarget(options), options, choices);
  if (error) *error = made.error;
  return made.exists ? ReadFile(thumb) : "";
}

bool Near(Rgb got, Rgb want) {
  return std::abs(got.r - want.r) <= 14 && std::abs(got.g - want.g) <= 14 &&
         std::abs(got.b - want.b) <= 14;
}

class ExtraFormatTest : public ::testing::TestWithParam<Fixture> {
 protected:
  void SetUp() override {
    if (!ReadableExtraFormats().Has(GetParam().format))
      GTEST_SKIP() << "the installed libvips cannot read " << GetParam().file;
  }
  TempFolder dir_;
};

TEST_P(ExtraFormatTest, ComesOutUprightInSrgbAtTheSizeRulesSize) {
  const Fixture& f = GetParam();
  for (int scale : {1, 2}) {
    std::string error;
    std::string jpeg =
        Thumb(dir_, f.file, FixtureBytes(f), Height("60"), {Only(f.format), scale}, &error);
    ASSERT_NE(jpeg, "") << f.file << ": " << error;
    thumb_test::JpegFacts facts = Facts(jpeg);
    EXPECT_EQ(facts.width, 30 * scale) << f.file;  // upright 48 x 96 to a height of 60
    EXPECT_EQ(facts.height, 60 * scale) << f.file;
    EXPECT_FALSE(facts.metadata) << f.file;
    EXPECT_EQ(facts.comments, std::vector<std::string>{"KESTO thumbnail"}) << f.file;
    Raster pixels = thumb_test::Decode(dir_.Path("thumb.jpg"));
    int middle = 15 * scale;
    Rgb top = PixelAt(pixels, middle, 10 * scale), bottom = PixelAt(pixels, middle, 50 * scale);
    EXPECT_TRUE(Near(top, {230, 20, 20}))
        << f.file << " top " << int(top.r) << " " << int(top.g) << " " << int(top.b);
    EXPECT_TRUE(Near(bottom, {20, 20, 230}))
        << f.file << " bottom " << int(bottom.r) << " " << int(bottom.g) << " " << int(bottom.b);
  }
}

TEST_P(ExtraFormatTest, IsReadOnlyWhenItsTypeIsChosen) {
  const Fixture& f = GetParam();
  std::string error;
  // Whatever the name: the type chosen decides, as for every picture.
  EXPECT_EQ(Thumb(dir_, "picture.jpg", FixtureBytes(f), Height("60"), {}, &error), "") << f.file;
  EXPECT_EQ(error, "not a picture in a readable format") << f.file;
  ExtraFormats others{
      static_cast<uint8_t>(Only(ExtraFormat::kPng).bits | Only(ExtraFormat::kWebp).bits)};
  if (f.format == ExtraFormat::kWebp) others = Only(ExtraFormat::kTiff);
  EXPECT_EQ(Thumb(dir_, "picture.jpg", FixtureBytes(f), Height("60"), {others, 1}), "") << f.file;
}

TEST_P(ExtraFormatTest, DamagedBytesNeverCrashTheReader) {
  const Fixture& f = GetParam();
  std::string bytes = FixtureBytes(f);
  std::mt19937 random(11);
  for (int round = 0; round < 40; ++round) {
    std::string damaged = bytes;
    if (round % 4 == 0) {
      damaged.resize(random() % bytes.size());
    } else {
      for (int i = 0; i < 1 + round % 3; ++i)
        damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
    }
    std::string jpeg = Thumb(dir_, f.file, damaged, Height("30"), {All(), 1});
    EXPECT_TRUE(jpeg.empty() || Facts(jpeg).height == 30) << f.file << " round " << round;
  }
}

std::string FixtureName(const ::testing::TestParamInfo<Fixture>& fixture) {
  std::string name = fixture.param.file;
  return name.substr(name.find('.') + 1);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ExtraFormatTest, ::testing::ValuesIn(kFixtures), FixtureName);

TEST(DoubleThumbnailTest, TwiceTheSizeOfEveryRuleAndRefusedBeyondTheLargestSide) {
  TempFolder dir;
  std::string jpeg = thumb_test::Jpeg(400, 300);
  ThumbOptions both;
  both.ResizeMethod = "Both";
  both.Height = "120";
  both.Width = "80";
  EXPECT_EQ(Facts(Thumb(dir, "a.jpg", jpeg, both, {{}, 2})).width, 160);
  EXPECT_EQ(Facts(Thumb(dir, "a.jpg", jpeg, both, {{}, 2})).height, 240);
  // 133 x 100 is doubled, not computed afresh for 200 (which gives 267).
  EXPECT_EQ(Facts(Thumb(dir, "a.jpg", jpeg, Height("100"), {{}, 2})).width, 266);
  std::string error;
  EXPECT_EQ(Thumb(dir, "a.jpg", jpeg, Height("20000"), {{}, 2}, &error), "");
  EXPECT_EQ(error, "thumbnail size 53334 x 40000 is out of range");
}

}  // namespace
