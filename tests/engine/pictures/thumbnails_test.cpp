#include "pictures/thumbnails.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "thumb_fixtures.h"

namespace {

using thumb_test::Facts;
using thumb_test::JpegFacts;
using thumb_test::PixelAt;
using thumb_test::Rgb;

ThumbOptions Options(const std::string& method, const std::string& height = "100",
                     const std::string& width = "100") {
  ThumbOptions o;
  o.ResizeMethod = method;
  o.Height = height;
  o.Width = width;
  return o;
}

TEST(ThumbSizeTest, FollowsTheFloatArithmeticAndRoundsHalfToEven) {
  const struct {
    int64_t sw, sh;
    ThumbOptions options;
    int64_t width, height;
  } cases[] = {
      {400, 300, Options("Height"), 133, 100},
      {50, 40, Options("Height"), 125, 100},    // enlarged
      {9, 48, Options("Height", "40"), 7, 40},  // 7.4999995 in floats, not 7.5
      {400, 300, Options("Width"), 100, 75},
      {300, 400, Options("Width", "0", "150"), 150, 200},
      {400, 300, Options("Both", "120", "80"), 80, 120},
      {10, 10, Options("Both", "120px", "80.5"), 80, 120},  // half to even, not first rounded
      {10, 10, Options("Both", "0.4", "80"), 80, 1},        // never below 1 pixel
      {1, 1000, Options("Height"), 1, 100},
      {400, 300, Options("height"), 133, 100},  // anything but Width or Both is Height
      {400, 300, Options("Both", "0", "80"), 80, 0},
      {400, 300, Options("Height", "0"), 0, 0},
      {400, 300, Options("Height", "32768"), 0, 0},
      {400, 300, Options("Both", "120", "-5"), 0, 0},
      {0, 300, Options("Height"), 0, 0},
  };
  for (const auto& c : cases) {
    ThumbSize size = ComputeThumbSize({c.sw, c.sh}, ThumbTarget(c.options), c.options);
    EXPECT_EQ(size.width, c.width) << c.sw << "x" << c.sh << " " << c.options.ResizeMethod << " "
                                   << c.options.Height << "/" << c.options.Width;
    EXPECT_EQ(size.height, c.height) << c.sw << "x" << c.sh << " " << c.options.ResizeMethod;
  }
}

TEST(SizeLabelTest, KilobytesBelowOneThousandElseMegabytes) {
  const struct {
    uint64_t bytes;
    const char* label;
  } cases[] = {{0, "0 Kb"},         {512, "0 Kb"},         {1536, "2 Kb"},
               {1022464, "998 Kb"}, {1023488, "1.0 MB"},   {1536000, "1.5 MB"},
               {1280000, "1.3 MB"}, {10485760, "10.2 MB"}, {102400000, "100.0 MB"}};
  for (const auto& c : cases) EXPECT_EQ(SizeLabel(c.bytes), c.label) << c.bytes;
}

// `bytes` with `text` put in at `at` (from the end when negative) over
// `replaced` bytes.
std::string Insert(std::string bytes, int at, const std::string& text, size_t replaced = 0) {
  return bytes.replace(at < 0 ? bytes.size() + at : at, replaced, text);
}

struct MadeThumb {
  ThumbResult result;
  std::string bytes;
};

MadeThumb Make(const TempFolder& dir, const std::string& picture_bytes, const std::string& name,
               const ThumbOptions& options = ThumbOptions()) {
  WriteFile(dir.Path(name), picture_bytes);
  std::string thumb = dir.Path("thumb.jpg");
  std::filesystem::remove(thumb);
  MadeThumb made{MakeThumbnail(dir.Path(name), thumb, ThumbTarget(options), options), ""};
  if (made.result.exists) made.bytes = ReadFile(thumb);
  return made;
}

TEST(MakeThumbnailTest, WritesEachKindOfPictureAtItsSize) {
  TempFolder dir;
  auto red = thumb_test::Solid({220, 20, 20});
  std::string data = KESTO_TEST_DATA "/thumbs/";
  const struct {
    const char* name;
    std::string bytes;
    int width, height;
  } cases[] = {
      {"a.jpg", thumb_test::Jpeg(400, 300, red), 133, 100},
      {"b.jpg", thumb_test::Jpeg(50, 40, red), 125, 100},
      {"c.jpg", thumb_test::Jpeg(2000, 1000, red, true), 200, 100},  // progressive source
      {"d.bmp", thumb_test::Bmp(400, 300, 24, false, red), 133, 100},
      {"e.bmp", thumb_test::Bmp(30, 20, 32, true, red), 150, 100},
      {"palette.bmp", ReadFile(data + "palette.bmp"), 200, 100},
      {"interlaced.gif", ReadFile(data + "interlaced.gif"), 133, 100},
      {"offset.gif", ReadFile(data + "offset.gif"), 150, 100},
      {"cmyk.jpg", ReadFile(data + "cmyk.jpg"), 133, 100},
      {"png-named.jpg", ReadFile(data + "png-named.jpg"), 200, 100},
      {"low.gif", Insert(ReadFile(data + "offset.gif"), 30, "\x0F", 1), 150, 100},  // cut off
      {"87a.gif", "GIF87a" + ReadFile(data + "interlaced.gif").substr(6), 133, 100},
      {"xmp.jpg", thumb_test::WithSegment(thumb_test::Jpeg(40, 20), 0xE1, "http://ns.adobe.com/"),
       200, 100},
      {"extraneous.jpg", Insert(thumb_test::Jpeg(40, 20), -2, "\x12\x34"), 200, 100},
  };
  for (const auto& c : cases) {
    MadeThumb made = Make(dir, c.bytes, c.name);
    ASSERT_TRUE(made.result.exists) << c.name << ": " << made.result.error;
    EXPECT_EQ(made.result.error, "") << c.name;
    JpegFacts facts = Facts(made.bytes);
    EXPECT_EQ(facts.width, c.width) << c.name;
    EXPECT_EQ(facts.height, c.height) << c.name;
  }
}

TEST(MakeThumbnailTest, ColoursComeThroughForEveryReader) {
  TempFolder dir;
  std::string data = KESTO_TEST_DATA "/thumbs/";
  auto halves = [](int, int y) { return y < 150 ? Rgb{220, 20, 20} : Rgb{20, 20, 220}; };
  const struct {
    const char* name;
    std::string bytes;
    Rgb top, bottom;
  } cases[] = {
      {"a.jpg", thumb_test::Jpeg(400, 300, halves), {220, 20, 20}, {20, 20, 220}},
      {"b.bmp", thumb_test::Bmp(400, 300, 24, false, halves), {220, 20, 20}, {20, 20, 220}},
      {"c.bmp", thumb_test::Bmp(400, 300, 32, true, halves), {220, 20, 20}, {20, 20, 220}},
      {"interlaced.gif", ReadFile(data + "interlaced.gif"), {255, 0, 0}, {0, 0, 255}},
      {"cmyk.jpg", ReadFile(data + "cmyk.jpg"), {255, 0, 0}, {255, 0, 0}},
  };
  for (const auto& c : cases) {
    MadeThumb made = Make(dir, c.bytes, c.name);
    ASSERT_TRUE(made.result.exists) << c.name << ": " << made.result.error;
    Raster thumb = thumb_test::Decode(dir.Path("thumb.jpg"));
    for (auto [y, want] : {std::pair{5, c.top}, std::pair{thumb.height - 5, c.bottom}}) {
      Rgb got = PixelAt(thumb, thumb.width / 2, y);
      EXPECT_NEAR(got.r, want.r, 40) << c.name << " row " << y;
      EXPECT_NEAR(got.g, want.g, 40) << c.name << " row " << y;
      EXPECT_NEAR(got.b, want.b, 40) << c.name << " row " << y;
    }
  }
}

TEST(MakeThumbnailTest, TransparentAndUncoveredGifPixelsAreBlack) {
  TempFolder dir;
  std::string data = KESTO_TEST_DATA "/thumbs/";
  MadeThumb made = Make(dir, ReadFile(data + "transparent.gif"), "t.gif");  // left half red
  ASSERT_TRUE(made.result.exists) << made.result.error;
  Raster thumb = thumb_test::Decode(dir.Path("thumb.jpg"));
  EXPECT_GT(PixelAt(thumb, 10, 50).r, 200);
  EXPECT_LT(PixelAt(thumb, 90, 50).r, 30);

  made = Make(dir, ReadFile(data + "offset.gif"), "o.gif");  // red frame in the middle
  ASSERT_TRUE(made.result.exists) << made.result.error;
  thumb = thumb_test::Decode(dir.Path("thumb.jpg"));
  EXPECT_GT(PixelAt(thumb, 75, 50).r, 200);
  EXPECT_LT(PixelAt(thumb, 5, 5).r, 30);
}

TEST(MakeThumbnailTest, TurnsPicturesUprightByTheirOrientation) {
  TempFolder dir;
  // Stored 80 x 40: red on the left, blue on the right. Orientation 6 means
  // "turn 90 degrees clockwise", which puts the red half on top.
  auto halves = [](int x, int) { return x < 40 ? Rgb{220, 20, 20} : Rgb{20, 20, 220}; };
  for (bool big_endian : {false, true}) {
    std::string jpeg = thumb_test::WithSegment(thumb_test::Jpeg(80, 40, halves), 0xE1,
                                               thumb_test::ExifPayload(6, big_endian));
    MadeThumb made = Make(dir, jpeg, "turned.jpg", Options("Height", "160"));
    ASSERT_TRUE(made.result.exists) << made.result.error;
    JpegFacts facts = Facts(made.bytes);
    EXPECT_EQ(facts.width, 80);
    EXPECT_EQ(facts.height, 160);
    EXPECT_FALSE(facts.metadata);
    Raster thumb = thumb_test::Decode(dir.Path("thumb.jpg"));
    EXPECT_GT(PixelAt(thumb, 40, 10).r, 180);
    EXPECT_GT(PixelAt(thumb, 40, 150).b, 180);
  }
}

TEST(MakeThumbnailTest, ConvertsAnEmbeddedProfileAndCopiesNoMetadata) {
  TempFolder dir;
  std::string grey = thumb_test::Jpeg(64, 64, thumb_test::Solid({128, 128, 128}));
  std::string tagged = thumb_test::WithSegment(
      thumb_test::WithSegment(grey, 0xE2, thumb_test::IccPayload(thumb_test::LinearRgbProfile())),
      0xE1, thumb_test::ExifPayload(1));
  MadeThumb made = Make(dir, tagged, "tagged.jpg");
  ASSERT_TRUE(made.result.exists) << made.result.error;
  EXPECT_FALSE(Facts(made.bytes).metadata);
  EXPECT_EQ(Facts(made.bytes).comments, std::vector<std::string>{"KESTO thumbnail"});
  EXPECT_NEAR(PixelAt(thumb_test::Decode(dir.Path("thumb.jpg")), 50, 50).g, 188, 4);
}

TEST(MakeThumbnailTest, WritesProgressiveJpegOnlyWhenAsked) {
  TempFolder dir;
  for (int progressive : {0, 1}) {
    ThumbOptions options;
    options.Progressive = progressive;
    MadeThumb made = Make(dir, thumb_test::Jpeg(300, 200), "p.jpg", options);
    ASSERT_TRUE(made.result.exists) << made.result.error;
    EXPECT_EQ(Facts(made.bytes).progressive, progressive == 1);
    EXPECT_EQ(made.bytes.find("\xFF\xC2") != std::string::npos, progressive == 1);
  }
}

std::string HugeGif() {
  // Header and logical screen of 60000 x 60000, no frame.
  return std::string("GIF89a\x60\xEA\x60\xEA\x00\x00\x00;", 14);
}

std::string HugeBmp() {
  std::string bmp = thumb_test::Bmp(2, 2, 24, false, thumb_test::Solid({0, 0, 0}));
  bmp[18] = '\x60', bmp[19] = '\xEA', bmp[22] = '\x60', bmp[23] = '\xEA';  // 60000 x 60000
  return bmp;
}

TEST(MakeThumbnailTest, BrokenPicturesWriteNothing) {
  TempFolder dir;
  std::string data = KESTO_TEST_DATA "/thumbs/";
  std::string jpeg = thumb_test::Jpeg(400, 300);
  const struct {
    const char* name;
    std::string bytes;
    ThumbOptions options;
    const char* error;
  } cases[] = {
      {"empty.jpg", "", ThumbOptions(), "empty file"},
      {"text.jpg", "just some words\n", ThumbOptions(), "not a picture in a readable format"},
      {"matrix.jpg", "2 2\n1 2\n3 4\n", ThumbOptions(), "not a picture in a readable format"},
      {"cut.jpg", jpeg.substr(0, jpeg.size() / 2), ThumbOptions(), "Premature end of JPEG file"},
      {"header-only.jpg", jpeg.substr(0, 200), ThumbOptions(), "Premature end of JPEG file"},
      {"huge.gif", HugeGif(), ThumbOptions(), "picture header claims a refused size"},
      {"huge.bmp", HugeBmp(), ThumbOptions(), "picture header claims a refused size"},
      {"cut.bmp",
       thumb_test::Bmp(400, 300, 24, false, thumb_test::Solid({1, 2, 3})).substr(0, 5000),
       ThumbOptions(), "BMP file is cut short"},
      {"zero.jpg", jpeg, Options("Height", "0"), "thumbnail size 0 is out of range"},
      {"too-big.jpg", jpeg, Options("Height", "32768"), "thumbnail size 32768 is out of range"},
      {"both-zero.jpg", jpeg, Options("Both", "0", "100"),
       "thumbnail size 100 x 0 is out of range"},
      {"computed-too-big.jpg", thumb_test::Jpeg(2000, 10), Options("Height", "200"),
       "thumbnail size 40000 x 200 is out of range"},
      {"bad-quant-table.jpg", ReadFile(KESTO_TEST_DATA "/thumbs/bad-quant-table.jpg"),
       Options("Height", "24"), "Quantization table 0x04 was not defined"},
      {"png-chunk-too-long.jpg", ReadFile(KESTO_TEST_DATA "/thumbs/png-chunk-too-long.png"),
       Options("Height", "24"), "PNG data is cut off or claims more than the file holds"},
      {"cut-png.jpg", ReadFile(KESTO_TEST_DATA "/thumbs/png-named.jpg").substr(0, 60),
       ThumbOptions(), "PNG data is cut off or claims more than the file holds"},
      {"huge-chunk.jpg", Insert(ReadFile(data + "png-named.jpg"), 143, "\xFF\xFF\xFF\xF0", 4),
       ThumbOptions(), "PNG data is cut off or claims more than the file holds"},
      {"damaged-cmyk.jpg", Insert(ReadFile(data + "cmyk.jpg"), 200, "\xF7", 1), ThumbOptions(),
       "VipsJpeg: Bogus Huffman table definition"},
      {"header.gif", "GIF89a\x01", ThumbOptions(), "cannot read GIF"},
      {"no-record.gif", std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00", 13), ThumbOptions(),
       "cannot read GIF: Failed to read from given file"},
      {"cut-comment.gif",
       std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00!\xFE\x01"
                   "A\x05"
                   "AB",
                   20),
       ThumbOptions(), "cannot read GIF: Failed to read from given file"},
      {"cut-frame.gif", std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00,\x00\x00", 16),
       ThumbOptions(), "cannot read GIF: Failed to read from given file"},
      {"cut-extension.gif", std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00!\xF9", 15),
       ThumbOptions(), "cannot read GIF: Failed to read from given file"},
      {"cut-rows.gif", ReadFile(data + "interlaced.gif").substr(0, 60), ThumbOptions(),
       "cannot read GIF rows: Failed to read from given file"},
      {"cut-lines.gif", ReadFile(data + "offset.gif").substr(0, 42), ThumbOptions(),
       "cannot read GIF rows: Failed to read from given file"},
  };
  for (const auto& c : cases) {
    MadeThumb made = Make(dir, c.bytes, c.name, c.options);
    EXPECT_FALSE(made.result.exists) << c.name;
    EXPECT_EQ(made.result.error, c.error) << c.name;
  }
}

TEST(MakeThumbnailTest, MissingPictureOrFolderWritesNothing) {
  TempFolder dir;
  ThumbOptions options;
  WriteFile(dir.Path("a.jpg"), thumb_test::Jpeg(40, 30));
  WriteFile(dir.Path("file"), "x");
  const struct {
    std::string picture, thumb, error;
  } cases[] = {
      {dir.Path("gone.jpg"), dir.Path("t.jpg"),
       "cannot open " + dir.Path("gone.jpg") + ": No such file or directory"},
      {dir.Path("a.jpg"), dir.Path("no-folder/t.jpg"),
       dir.Path("no-folder/t.jpg") + ": cannot be written (No such file or directory)"},
      {dir.Path("a.jpg"), dir.Path("file/t.jpg"),
       dir.Path("file/t.jpg") + ": cannot be written (Not a directory)"},
      {dir.path(), dir.Path("t.jpg"), dir.path() + " is not a regular file"},
  };
  for (const auto& c : cases) {
    ThumbResult r = MakeThumbnail(c.picture, c.thumb, 100, options);
    EXPECT_FALSE(r.exists) << c.picture << " -> " << c.thumb;
    EXPECT_EQ(r.error, c.error);
  }
}

// A remake that fails keeps the old thumbnail, one that works replaces it;
// neither leaves a temporary file.
TEST(MakeThumbnailTest, ARemakeReplacesTheOldThumbnailOnlyWhenItWorks) {
  TempFolder dir;
  WriteFile(dir.Path("broken.jpg"), "not a picture");
  WriteFile(dir.Path("a.jpg"), thumb_test::Jpeg(400, 300));
  for (const char* thumb : {"broken_tn.jpg", "a_tn.jpg"}) WriteFile(dir.Path(thumb), "old bytes");
  ThumbResult r =
      MakeThumbnail(dir.Path("broken.jpg"), dir.Path("broken_tn.jpg"), 100, ThumbOptions());
  EXPECT_TRUE(r.exists);
  EXPECT_EQ(r.error, "not a picture in a readable format");
  EXPECT_EQ(ReadFile(dir.Path("broken_tn.jpg")), "old bytes");
  r = MakeThumbnail(dir.Path("a.jpg"), dir.Path("a_tn.jpg"), 100, ThumbOptions());
  EXPECT_TRUE(r.exists);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(Facts(ReadFile(dir.Path("a_tn.jpg"))).width, 133);
  EXPECT_EQ(dir.Count(), 4u);
}

}  // namespace
