// Reading pictures: the orientation tag, colour profiles, the DC scans of
// progressive JPEGs compared with libjpeg, and where the far edge lands.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "pictures/colour.h"
#include "pictures/jpeg_dc.h"
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
      {"little endian", ExifPayload(6), 6}, {"big endian", ExifPayload(8, true), 8},
      {"out of range", ExifPayload(9), 1},  {"cut short", good.substr(0, 6 + 14), 1},
      {"wrong type", wrong_type, 1},        {"IFD beyond the end", far_ifd, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(Orientation(c.payload), c.expected) << c.name;
}

// A profile that works is in the thumbnails' test (linear.jpg).
TEST(ConvertToSrgbTest, ProfilesThatDoNotFitLeaveThePixels) {
  Raster grey = thumb_test::MakeRaster(2, 2, thumb_test::Solid({128, 128, 128}));
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
    Raster decoded = thumb_test::Decode(dir.Path("corner.jpg"), {100, 100});
    ASSERT_EQ(decoded.width, 100);
    auto grey = [&decoded](int x, int y) { return double(thumb_test::PixelAt(decoded, x, y).r); };
    const char* kind = progressive ? "progressive" : "baseline";
    EXPECT_NEAR(Crossing([&](int y) { return grey(50, y); }), 1100 * 100.0 / 1153, 0.1) << kind;
    EXPECT_NEAR(Crossing([&](int x) { return grey(x, 50); }), 1100 * 100.0 / 1153, 0.1) << kind;
  }
}

struct Reference {
  DcFrame frame;
  Raster eighth;  // libjpeg's own decode of all scans at 1/8
};

// The frame as libjpeg reads it, and libjpeg's picture at 1/8 scale, in RGB
// or in the file's own colour space.
Reference DecodeWithLibjpeg(const std::string& jpeg, bool rgb = true) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  Reference ref;
  ref.frame.width = static_cast<int>(cinfo.image_width);
  ref.frame.height = static_cast<int>(cinfo.image_height);
  ref.frame.ycc = rgb && cinfo.jpeg_color_space == JCS_YCbCr;
  for (int i = 0; i < cinfo.num_components; ++i) {
    const jpeg_component_info& c = cinfo.comp_info[i];
    ref.frame.components.push_back({c.component_id, c.h_samp_factor, c.v_samp_factor,
                                    cinfo.quant_tbl_ptrs[c.quant_tbl_no]->quantval[0]});
  }
  if (!rgb) cinfo.out_color_space = cinfo.jpeg_color_space;
  cinfo.scale_num = 1;
  cinfo.scale_denom = 8;
  jpeg_start_decompress(&cinfo);
  Raster& r = ref.eighth;
  r = {static_cast<int>(cinfo.output_width),
       static_cast<int>(cinfo.output_height),
       cinfo.output_components,
       {}};
  r.pixels.resize(static_cast<size_t>(r.width) * r.height * r.bands);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &r.pixels[cinfo.output_scanline * static_cast<size_t>(r.width) * r.bands];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return ref;
}

bool Decode(const std::string& jpeg, const DcFrame& frame, Raster* out, std::string* err) {
  return DecodeDcScans(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size(), frame, out, err);
}

int Sample(const Raster& r, int x, int y, int band) {
  return r.pixels[(static_cast<size_t>(y) * r.width + x) * r.bands + band];
}

// The largest difference to libjpeg in one band. Where the file keeps half
// the chroma, libjpeg draws each chroma block as 2 x 2 pixels, while the DC
// value alone is their mean: `cell` 2 compares with the mean of libjpeg's
// whole 2 x 2 cells.
int LargestDifference(const Raster& ours, const Raster& ref, int band, int cell) {
  int largest = 0;
  for (int y = 0; y + cell <= ours.height; y += cell) {
    for (int x = 0; x + cell <= ours.width; x += cell) {
      int sum = 0;
      for (int i = 0; i < cell * cell; ++i) sum += Sample(ref, x + i % cell, y + i / cell, band);
      int mean = (sum + cell * cell / 2) / (cell * cell);
      largest = std::max(largest, std::abs(Sample(ours, x, y, band) - mean));
    }
  }
  return largest;
}

TEST(DecodeDcScansTest, MatchesLibjpegAtOneEighth) {
  auto ramp = [](int x, int y) {
    return thumb_test::Rgb{uint8_t(x), uint8_t(y * 2), uint8_t(x + y)};
  };
  const struct {
    const char* name;
    std::string jpeg;
    bool rgb;
    int chroma_cell, tolerance;
  } cases[] = {
      {"4:2:0 with restart markers", ReadFile(KESTO_TEST_DATA "/thumbs/prog-restart.jpg"), false, 2,
       2},
      {"4:4:4 in RGB", ReadFile(KESTO_TEST_DATA "/thumbs/prog-444.jpg"), true, 1, 1},
      {"grey", ReadFile(KESTO_TEST_DATA "/thumbs/prog-grey.jpg"), false, 1, 0},
      {"written here", thumb_test::Jpeg(150, 90, ramp, true), false, 2, 2},
  };
  for (const auto& c : cases) {
    Reference ref = DecodeWithLibjpeg(c.jpeg, c.rgb);
    Raster ours;
    std::string err;
    ASSERT_TRUE(Decode(c.jpeg, ref.frame, &ours, &err)) << c.name << ": " << err;
    ASSERT_EQ(ours.width, ref.eighth.width) << c.name;
    ASSERT_EQ(ours.height, ref.eighth.height) << c.name;
    ASSERT_EQ(ours.bands, ref.eighth.bands) << c.name;
    for (int band = 0; band < ours.bands; ++band) {
      int cell = band == 0 || c.rgb ? 1 : c.chroma_cell;
      EXPECT_LE(LargestDifference(ours, ref.eighth, band, cell), c.tolerance)
          << c.name << " band " << band;
    }
  }
}

// `jpeg` with `bytes` written over it from `at`.
std::string Patched(std::string jpeg, size_t at, const std::string& bytes) {
  return jpeg.replace(at, bytes.size(), bytes);
}

TEST(DecodeDcScansTest, RefusesCutAndBrokenData) {
  // prog-restart.jpg: a DHT at 159, the first scan's header at 221 (components
  // 1, 2 and 3 from 226), its data from 235, a restart marker at 249.
  std::string jpeg = ReadFile(KESTO_TEST_DATA "/thumbs/prog-restart.jpg");
  DcFrame frame = DecodeWithLibjpeg(jpeg).frame;
  const char* early = "JPEG data ends early";
  const char* broken = "broken JPEG data";
  const struct {
    const char* name;
    std::string data;
    const char* error;
  } cases[] = {
      {"no EOI", jpeg.substr(0, jpeg.size() - 2), early},
      {"cut in a table", jpeg.substr(0, 170), early},
      {"a table of class 2", Patched(jpeg, 163, "\x20"), broken},
      {"a table of 4080 codes", Patched(jpeg, 164, std::string(16, '\xFF')), broken},
      {"a scan of no component", Patched(jpeg, 225, std::string(1, '\0')), broken},
      {"a scan of no such component", Patched(jpeg, 226, "\x09"), broken},
      {"a table longer than its segment", Patched(jpeg, 164, "\x64"), broken},
      {"a scan header of the wrong length", Patched(jpeg, 224, "\x0E"), broken},
      {"a scan of table 4", Patched(jpeg, 227, "\x40"), broken},
      {"a first scan with AC", Patched(jpeg, 233, "\x05"), broken},
      {"a point transform of 15", Patched(jpeg, 234, "\x0F"), broken},
      {"cut in the DC scan", jpeg.substr(0, 300), broken},
      {"a marker for a restart", Patched(jpeg, 250, "\xC4"), early},
      {"no such Huffman code", Patched(jpeg, 235, std::string("\xFF\x00\xFF\x00\xFF\x00", 6)),
       broken},
      {"not a JPEG", "GIF89a" + jpeg, "not a JPEG frame"},
      {"empty", "", "not a JPEG frame"},
  };
  Raster out;
  std::string err;
  for (const auto& c : cases) {
    EXPECT_FALSE(Decode(c.data, frame, &out, &err)) << c.name;
    EXPECT_EQ(err, c.error) << c.name;
  }
  DcFrame no_components = frame;
  no_components.components.clear();
  EXPECT_FALSE(Decode(jpeg, no_components, &out, &err));
  EXPECT_EQ(err, "not a JPEG frame");
  // A fill byte before a restart marker is stepped over.
  EXPECT_TRUE(Decode(jpeg.substr(0, 249) + "\xFF" + jpeg.substr(249), frame, &out, &err)) << err;
  EXPECT_EQ(out.width, 13);
}

}  // namespace
