// Thumbnails of every picture type upright, in sRGB, at their size; of damaged bytes, no crash.
#include "pictures/thumbnails.h"

#include <gtest/gtest.h>

#include "pictures/vips_io.h"
#include "thumb_fixtures.h"

namespace {

using namespace thumb_test;

ThumbOptions Options(std::string method, std::string height = "100", std::string width = "100") {
  return {75, method, height, width};
}

TEST(ThumbSizeTest, FollowsTheFloatArithmeticAndRoundsHalfToEvenAndLabelsFileSizes) {
  const std::tuple<int64_t, int64_t, ThumbOptions, int64_t, int64_t> cases[] = {
      {9, 48, Options("Height", "40"), 7, 40},  // 7.4999995 in floats, not 7.5
      {300, 400, Options("Width", "0", "150"), 150, 200},
      {10, 10, Options("Both", "120px", "80.5"), 80, 120},  // half to even, not first rounded
      {10, 10, Options("Both", "0.4", "80"), 80, 1},        // never below 1 pixel
      {400, 300, Options("height"), 133, 100},              // anything but Width or Both is Height
      {400, 300, Options("Both", "120", "-5"), 0, 0}};
  for (const auto& [sw, sh, options, width, height] : cases) {
    ThumbSize size = ComputeThumbSize({sw, sh}, ThumbTarget(options), options);
    EXPECT_EQ(std::pair(size.width, size.height), std::pair(width, height)) << sw << options.Height;
  }
  const std::pair<uint64_t, std::string> labels[] = {{512, "0 Kb"},       {1536, "2 Kb"},
                                                     {1022464, "998 Kb"}, {1023488, "1.0 MB"},
                                                     {1280000, "1.3 MB"}, {102400000, "100.0 MB"}};
  for (const auto& [bytes, label] : labels) EXPECT_EQ(SizeLabel(bytes), label) << bytes;
}

// The facts of a thumbnail of `width` x `height`: the mark, no metadata.
std::string Thumb(int width, int height, bool progressive = false) {
  return std::to_string(width) + " x " + std::to_string(height) +
         (progressive ? " progressive" : "") + " \"KESTO thumbnail\"";
}

testing::AssertionResult Near(Rgb a, Rgb b, int tolerance) {
  if (std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)}) <= tolerance)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << int(a.r) << " " << int(a.g) << " " << int(a.b);
}

// Each reader's pictures come out at their size, upright, in sRGB and with their colours where they
// belong, with the mark and without metadata.
TEST(MakeThumbnailTest, WritesEachKindOfPictureUprightAtItsSizeInItsColours) {
  TempFolder dir;
  const Rgb red{220, 20, 20}, blue{20, 20, 220}, red2{255, 0, 0}, blue2{0, 0, 255}, black{};
  auto halves = [&](int, int y) { return y < 150 ? red : blue; };
  auto sides = [&](int x, int) { return x < 40 ? red : blue; };  // turned: red on top
  auto left = [&](int x, int) { return x < 1000 ? red : blue; };
  const std::string small = Jpeg(40, 20);
  using Probes = std::vector<std::tuple<int, int, Rgb>>;  // x, y and the colour there
  const Probes red_over_blue = {{66, 5, red}, {66, 95, blue}},
               turned = {{25, 6, red}, {25, 94, blue}};
  const std::tuple<const char*, std::string, int, int, Probes> cases[] = {
      {"a.jpg", Jpeg(400, 300, halves), 133, 100, red_over_blue},
      {"c.jpg", Jpeg(2000, 1000, left, true), 200, 100, {{5, 50, red}, {195, 50, blue}}},
      {"d.bmp", Bmp(400, 300, 24, false, halves), 133, 100, red_over_blue},
      {"e.bmp", Bmp(400, 300, 32, true, halves), 133, 100, red_over_blue},
      {"palette.bmp", Data("palette.bmp"), 200, 100, {}},
      {"interlaced.gif", Data("interlaced.gif"), 133, 100, {{66, 5, red2}, {66, 95, blue2}}},
      // Transparent and uncovered pixels are black.
      {"transparent.gif", Data("transparent.gif"), 100, 100, {{10, 50, red2}, {90, 50, black}}},
      {"offset.gif", Data("offset.gif"), 150, 100, {{75, 50, red2}, {5, 5, black}}},
      {"cmyk.jpg", Data("cmyk.jpg"), 133, 100, {{66, 5, red2}, {66, 95, red2}}},
      {"png-named.jpg", Data("png-named.jpg"), 200, 100, {}},
      {"low.gif", Data("offset.gif").replace(30, 1, "\x0F"), 150, 100, {}},  // cut off
      {"87a.gif", "GIF87a" + Data("interlaced.gif").substr(6), 133, 100, {}},
      {"xmp.jpg", WithSegment(small, 0xE1, "http://ns.adobe.com/"), 200, 100, {}},
      {"extraneous.jpg", small.substr(0, small.size() - 2) + "\x12\x34\xFF\xD9", 200, 100, {}},
      {"turned.jpg", WithSegment(Jpeg(80, 40, sides), 0xE1, ExifPayload(6)), 50, 100, turned},
      {"turned-mm.jpg", WithSegment(Jpeg(80, 40, sides), 0xE1, ExifPayload(6, true)), 50, 100,
       turned},
      {"linear.jpg",
       LinearJpeg(),
       100,
       100,
       {{50, 50, {188, 188, 188}}}},                       // linear 0.5 is sRGB 188
      {"progressive.jpg", Jpeg(300, 200), 150, 100, {}}};  // written progressive
  for (const auto& [name, bytes, width, height, probes] : cases) {
    SCOPED_TRACE(name);
    bool progressive = std::string(name) == "progressive.jpg";
    MadeThumb made = Make(dir, bytes, name, {75, "Height", "100", "100", progressive});
    ASSERT_TRUE(made.result.exists && made.result.error.empty()) << made.result.error;
    EXPECT_EQ(Facts(made.bytes), Thumb(width, height, progressive));
    for (auto [x, y, colour] : probes)
      EXPECT_TRUE(Near(PixelAt(made.pixels, x, y), colour, 40)) << x << "," << y;
  }
}

TEST(MakeThumbnailTest, BrokenPicturesWriteNothing) {
  TempFolder dir;
  std::string jpeg = Jpeg(400, 300), bmp = Bmp(400, 300, 24, false, Solid({1, 2, 3}));
  std::string huge_bmp = bmp, flat_bmp = bmp, gif("GIF89a\x01\x00\x01\x00\x00\x00\x00", 13);
  const std::string huge_gif("GIF89a\x60\xEA\x60\xEA\x00\x00\x00;", 14),
      gif_comment = gif + "!\xFE\x01\x41\x05\x41\x42",
      cut_gif = Data("interlaced.gif").substr(0, 60);
  huge_bmp[18] = '\x60', huge_bmp[19] = '\xEA', huge_bmp[22] = '\x60', huge_bmp[23] = '\xEA';
  flat_bmp[18] = flat_bmp[19] = 0;  // no width
  // Each error, with the options and the pictures that give it. A GIF of 60000 x 60000 is huge too.
  const std::tuple<std::string, ThumbOptions, std::vector<std::string>> cases[] = {
      {"empty file", {}, {""}},
      {"not a picture in a readable format", {}, {"just some words\n", "2 2\n1 2\n3 4\n"}},
      {"Premature end of JPEG file", {}, {jpeg.substr(0, jpeg.size() / 2)}},
      {"picture header claims a refused size", {}, {huge_gif, huge_bmp, flat_bmp}},
      {"BMP file is cut short", {}, {bmp.substr(0, 5000)}},
      {"thumbnail size 32768 is out of range", Options("Height", "32768"), {jpeg}},
      {"thumbnail size 100 x 0 is out of range", Options("Both", "0", "100"), {jpeg}},
      {"thumbnail size 40000 x 200 is out of range", Options("Height", "200"), {Jpeg(2000, 10)}},
      {"PNG data is cut off or claims more than the file holds",
       Options("Height", "24"),
       {Data("png-chunk-too-long.png"), Data("png-named.jpg").substr(0, 60)}},
      {"cannot read GIF: Failed to read from given file", {}, {gif, gif_comment}},
      {"cannot read GIF rows: Failed to read from given file", {}, {cut_gif}}};
  for (const auto& [error, options, pictures] : cases) {
    for (const std::string& bytes : pictures) {
      MadeThumb made = Make(dir, bytes, "picture.jpg", options);
      EXPECT_TRUE(!made.result.exists && made.result.error == error) << made.result.error;
    }
  }
}

// A thumbnail and its double: the double twice its size (266, not 267), left out without a word
// beyond the picture or the largest side. Nothing is written for a missing picture or folder; a
// remake that fails keeps the old file; a file not the program's own is never replaced, each path
// checked just before its write.
TEST(MakeThumbnailsTest, WritesBothOnlyWhereEachMay) {
  TempFolder dir;
  dir.Write("a.jpg", Jpeg(400, 300)), dir.Write("broken.jpg", "no picture");
  const std::string thumb = dir.Path("t.jpg"), twice = dir.Path("t@2x.jpg"), own = Jpeg(8, 8);
  const std::string unreadable = "not a picture in a readable format",
                    gone = "cannot open " + dir.Path("gone.jpg") + ": No such file or directory",
                    folder = dir.Path("") + " is not a regular file";
  // Files there before (`own` is marked as the program's), then after: "none", old bytes or facts.
  using Strings = std::vector<std::string>;
  const std::tuple<const char*, ThumbOptions, Strings, Strings, Strings> cases[] = {
      {"gone.jpg", {}, {}, {"none", "none"}, {gone, gone}},
      {"", {}, {}, {"none", "none"}, {folder, folder}},
      {"a.jpg", Options("Both", "120", "80"), {}, {Thumb(80, 120), Thumb(160, 240)}, {"", ""}},
      {"a.jpg", Options("Height", "151"), {}, {Thumb(201, 151), "none"}, {"", ""}},
      {"broken.jpg", {}, {"old"}, {"old", "none"}, {unreadable, unreadable}},
      {"a.jpg", {}, {own, "mine"}, {Thumb(133, 100), "mine"}, {"", KeptFileError(twice)}},
      {"a.jpg", {}, {"mine", own}, {"mine", Thumb(266, 200)}, {KeptFileError(thumb), ""}}};
  for (const auto& [picture, options, before, want_files, want_errors] : cases) {
    std::filesystem::remove(thumb), std::filesystem::remove(twice);
    for (size_t i = 0; i < before.size(); ++i)
      if (!before[i].empty()) dir.Write(i ? "t@2x.jpg" : "t.jpg", before[i]);
    std::vector<ThumbResult> made =
        MakeThumbnails(dir.Path(picture), {{thumb, 1}, {twice, 2}}, ThumbTarget(options), options);
    for (size_t i = 0; i < made.size(); ++i) {
      std::string bytes = made[i].exists ? ReadFile(i ? twice : thumb) : "none";
      EXPECT_EQ(bytes.size() < 5 ? bytes : Facts(bytes), want_files[i]) << picture << i;
      EXPECT_EQ(made[i].error, want_errors[i]) << picture << i;
    }
  }
  EXPECT_EQ(dir.Count(), 4u);  // no temporary file left
  EXPECT_EQ(MakeThumbnail(dir.Path("a.jpg"), dir.Path("no/t.jpg"), 100, {}).error,
            dir.Path("no/t.jpg") + ": cannot be written (No such file or directory)");
  ThumbResult beyond = MakeThumbnail(dir.Path("a.jpg"), dir.Path("big@2x.jpg"), 20000,
                                     Options("Height", "20000"), {{}, 2});
  EXPECT_TRUE(!beyond.exists && beyond.error.empty());  // beyond the largest side
}

// The extra picture types (tools/make-extra-formats.py): 96 x 48 stored, red left and blue right in
// Display P3, to be turned a quarter clockwise. Read only when chosen, whatever the name; then
// upright, in sRGB and at the size rule's size, also doubled. Damaged bytes are the fuzzer's.
TEST(ExtraFormatTest, IsReadOnlyWhenChosenThenUprightInSrgbAtItsSize) {
  using enum ExtraFormat;
  TempFolder dir;
  std::string unreadable;
  for (auto [type, format] :
       {std::pair{"webp", kWebp}, {"tif", kTiff}, {"heic", kHeic}, {"avif", kAvif}}) {
    const std::string file = std::string("rotated.") + type;
    SCOPED_TRACE(file);
    if (!ReadableExtraFormats().Has(format) && (unreadable += " " + file, true)) continue;
    ExtraFormats chosen, others;  // its own type, and others but not its own
    chosen.Add(format);
    for (ExtraFormat f : {kPng, kWebp, kTiff}) others.Add(f == format ? kPng : f);
    for (auto [formats, scale] :
         {std::pair{ExtraFormats{}, 1}, {others, 1}, {chosen, 1}, {chosen, 2}}) {
      MadeThumb made = Make(dir, Data(file), file, Options("Height", "40"), {formats, scale});
      EXPECT_EQ(made.result.exists ? Facts(made.bytes) : made.result.error,  // upright 48 x 96
                formats.Has(format) ? Thumb(20 * scale, 40 * scale)
                                    : "not a picture in a readable format");
      if (!made.result.exists) continue;
      EXPECT_TRUE(Near(PixelAt(made.pixels, 10 * scale, 7 * scale), {230, 20, 20}, 14));
      EXPECT_TRUE(Near(PixelAt(made.pixels, 10 * scale, 33 * scale), {20, 20, 230}, 14));
    }
  }
  if (!unreadable.empty()) GTEST_SKIP() << "the installed libvips cannot read" << unreadable;
}

}  // namespace
