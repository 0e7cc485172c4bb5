#include "pictures/jpeg_dc.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "thumb_fixtures.h"

namespace {

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
  DcFrame no_components = frame;
  no_components.components.clear();
  const struct {
    const char* name;
    std::string data;
    const DcFrame& frame;
    const char* error;
  } cases[] = {
      {"no EOI", jpeg.substr(0, jpeg.size() - 2), frame, "JPEG data ends early"},
      {"cut in the first scan", jpeg.substr(0, 700), frame, "JPEG data ends early"},
      {"cut in a table", jpeg.substr(0, 170), frame, "JPEG data ends early"},
      {"a table of class 2", Patched(jpeg, 163, "\x20"), frame, "broken JPEG data"},
      {"a table of 4080 codes", Patched(jpeg, 164, std::string(16, '\xFF')), frame,
       "broken JPEG data"},
      {"a scan of no component", Patched(jpeg, 225, std::string(1, '\0')), frame,
       "broken JPEG data"},
      {"a scan of five components", Patched(jpeg, 225, "\x05"), frame, "broken JPEG data"},
      {"a scan of no such component", Patched(jpeg, 226, "\x09"), frame, "broken JPEG data"},
      {"a table longer than its segment", Patched(jpeg, 164, "\x64"), frame, "broken JPEG data"},
      {"a scan header of the wrong length", Patched(jpeg, 224, "\x0E"), frame, "broken JPEG data"},
      {"a scan of table 4", Patched(jpeg, 227, "\x40"), frame, "broken JPEG data"},
      {"a first scan with AC", Patched(jpeg, 233, "\x05"), frame, "broken JPEG data"},
      {"a point transform of 15", Patched(jpeg, 234, "\x0F"), frame, "broken JPEG data"},
      {"cut in the DC scan", jpeg.substr(0, 300), frame, "broken JPEG data"},
      {"a marker for a restart", Patched(jpeg, 250, "\xC4"), frame, "JPEG data ends early"},
      {"no such Huffman code", Patched(jpeg, 235, std::string("\xFF\x00\xFF\x00\xFF\x00", 6)),
       frame, "broken JPEG data"},
      {"not a JPEG", "GIF89a" + jpeg, frame, "not a JPEG frame"},
      {"empty", "", frame, "not a JPEG frame"},
      {"no components", jpeg, no_components, "not a JPEG frame"},
  };
  for (const auto& c : cases) {
    Raster out;
    std::string err;
    EXPECT_FALSE(Decode(c.data, c.frame, &out, &err)) << c.name;
    EXPECT_EQ(err, c.error) << c.name;
  }
  // A fill byte before a restart marker is stepped over.
  Raster out;
  std::string err;
  EXPECT_TRUE(Decode(jpeg.substr(0, 249) + "\xFF" + jpeg.substr(249), frame, &out, &err)) << err;
  EXPECT_EQ(out.width, 13);
}

}  // namespace
