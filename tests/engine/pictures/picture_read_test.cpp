// JPEG reading: progressive DC scans against libjpeg, and where a shrunk decode's far edge lands.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>

#include "pictures/jpeg_dc.h"
#include "pictures/jpeg_io.h"
#include "thumb_fixtures.h"

namespace {

using namespace thumb_test;

// 1153 is 144 blocks of 8 and one pixel, so at 1/8 the last row and column stand for one pixel: an
// edge at 1100 belongs at 1100 * 100 / 1153 = 95.40 of 100, in baseline and progressive files.
TEST(ReadJpegTest, APartlyCoveredLastBlockDoesNotShiftThePicture) {
  TempFolder dir;
  auto corner = [](int x, int y) {
    return x < 1100 && y < 1100 ? Rgb{64, 64, 64} : Rgb{192, 192, 192};
  };
  const double edge = 1100 * 100.0 / 1153;
  for (bool progressive : {false, true}) {
    dir.Write("corner.jpg", Jpeg(1153, 1153, corner, progressive));
    Raster decoded = Decode(dir.Path("corner.jpg"), {100, 100});
    ASSERT_EQ(decoded.width, 100);
    // Where the grey, rising from 64 to 192 between 90 and 99, crosses 128; pixel i spans i..i + 1.
    auto crossing = [&](auto grey) {
      int i = 90;
      while (i < 98 && grey(i + 1) < 128) ++i;
      return i + 0.5 + (128.0 - grey(i)) / (grey(i + 1) - grey(i));
    };
    EXPECT_NEAR(crossing([&](int y) { return PixelAt(decoded, 50, y).r; }), edge, 0.1);
    EXPECT_NEAR(crossing([&](int x) { return PixelAt(decoded, x, 50).r; }), edge, 0.1);
  }
}

// The frame as libjpeg reads it, and libjpeg's decode at 1/8, in RGB or in the file's colour space.
std::pair<DcFrame, Raster> DecodeWithLibjpeg(const std::string& jpeg, bool rgb = true) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  DcFrame frame{int(cinfo.image_width), int(cinfo.image_height), {}, false};
  frame.ycc = rgb && cinfo.jpeg_color_space == JCS_YCbCr;
  for (auto* c = cinfo.comp_info; c < cinfo.comp_info + cinfo.num_components; ++c)
    frame.components.push_back({c->component_id, c->h_samp_factor, c->v_samp_factor,
                                cinfo.quant_tbl_ptrs[c->quant_tbl_no]->quantval[0]});
  if (!rgb) cinfo.out_color_space = cinfo.jpeg_color_space;
  cinfo.scale_denom = 8, jpeg_start_decompress(&cinfo);
  Raster r{int(cinfo.output_width), int(cinfo.output_height), cinfo.output_components, {}};
  r.pixels.resize(size_t(r.width) * r.height * r.bands);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = &r.pixels[cinfo.output_scanline * size_t(r.width) * r.bands];
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo), jpeg_destroy_decompress(&cinfo);
  return {frame, r};
}

bool DecodeDc(const std::string& jpeg, const DcFrame& frame, Raster* out, std::string* err) {
  return DecodeDcScans(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size(), frame, out, err);
}

// Each band against libjpeg's, within `tolerance`. With half the chroma, libjpeg draws each chroma
// block as 2 x 2 pixels whose mean is the DC value: `chroma_cell` 2 compares with that mean.
TEST(DecodeDcScansTest, MatchesLibjpegAtOneEighth) {
  auto ramp = [](int x, int y) { return Rgb{uint8_t(x), uint8_t(y * 2), uint8_t(x + y)}; };
  const std::tuple<const char*, std::string, bool, int, int> cases[] = {
      {"4:2:0 with restart markers", Data("prog-restart.jpg"), false, 2, 2},
      {"4:4:4 in RGB", Data("prog-444.jpg"), true, 1, 1},
      {"grey", Data("prog-grey.jpg"), false, 1, 0},
      {"written here", Jpeg(150, 90, ramp, true), false, 2, 2}};
  for (const auto& [name, jpeg, rgb, chroma_cell, tolerance] : cases) {
    SCOPED_TRACE(name);
    auto [frame, ref] = DecodeWithLibjpeg(jpeg, rgb);
    Raster ours;
    std::string err;
    ASSERT_TRUE(DecodeDc(jpeg, frame, &ours, &err)) << err;
    ASSERT_EQ(std::tie(ours.width, ours.height, ours.bands),
              std::tie(ref.width, ref.height, ref.bands));
    auto at = [](const Raster& r, int x, int y, int b) {
      return int(r.pixels[(size_t(y) * r.width + x) * r.bands + b]);
    };
    for (int band = 0; band < ours.bands; ++band) {
      int cell = band == 0 || rgb ? 1 : chroma_cell, largest = 0;
      for (int y = 0; y + cell <= ours.height; y += cell)
        for (int x = 0; x + cell <= ours.width; x += cell) {
          int sum = cell * cell / 2;  // rounds the mean
          for (int i = 0; i < cell * cell; ++i) sum += at(ref, x + i % cell, y + i / cell, band);
          largest = std::max(largest, std::abs(at(ours, x, y, band) - sum / (cell * cell)));
        }
      EXPECT_LE(largest, tolerance) << "band " << band;
    }
  }
}

TEST(DecodeDcScansTest, RefusesCutAndBrokenData) {
  // prog-restart.jpg: DHT at 159, first scan at 221 (components 226, data 235), RST at 249.
  std::string jpeg = Data("prog-restart.jpg");
  DcFrame frame = DecodeWithLibjpeg(jpeg).first, no_components = frame;
  no_components.components.clear();
  auto at = [&jpeg](size_t from, const std::string& bytes) {
    return std::string(jpeg).replace(from, bytes.size(), bytes);
  };
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      // No EOI; cut in a table; a marker for a restart.
      {"JPEG data ends early",
       {jpeg.substr(0, jpeg.size() - 2), jpeg.substr(0, 170), at(250, "\xC4")}},
      // Tables: class 2, 4080 codes, longer than the segment; scans: no component, unknown one,
      // wrong length, table 4, AC first, transform 15; cut in the DC scan; unknown Huffman code.
      {"broken JPEG data",
       {at(163, "\x20"), at(164, std::string(16, '\xFF')), at(164, "\x64"),
        at(225, std::string(1, '\0')), at(226, "\x09"), at(224, "\x0E"), at(227, "\x40"),
        at(233, "\x05"), at(234, "\x0F"), jpeg.substr(0, 300),
        at(235, std::string("\xFF\x00\xFF\x00\xFF\x00", 6))}},
      {"not a JPEG frame", {"GIF89a" + jpeg, ""}}};
  Raster out;
  std::string err;
  for (const auto& [error, broken] : cases)
    for (size_t i = 0; i < broken.size(); ++i)
      EXPECT_TRUE(!DecodeDc(broken[i], frame, &out, &err) && err == error) << error << i << err;
  EXPECT_TRUE(!DecodeDc(jpeg, no_components, &out, &err) && err == "not a JPEG frame") << err;
  // A fill byte before a restart marker is stepped over.
  EXPECT_TRUE(DecodeDc(jpeg.substr(0, 249) + "\xFF" + jpeg.substr(249), frame, &out, &err)) << err;
  EXPECT_EQ(out.width, 13);
}

}  // namespace
