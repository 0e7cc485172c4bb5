// The Express options beyond the plain pages: the picture viewer and the
// pages that fit any screen, each compared as a whole gallery.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "pages/express_pages.h"
#include "pages/express_viewer.h"
#include "pages/page_output.h"
#include "pages/web_assets.h"
#include "settings/record_fields.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Every page of `dir` by name, with the viewer's script and style sheet,
// which have tests of their own in a browser, left out.
std::string DumpPages(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".html") names.insert(entry.path().filename().string());
  std::string dump;
  for (const std::string& name : names)
    dump += "==> " + name + " <==\r\n" + ReadFile(fs::path(dir) / name).substr(kUtf8Bom.size());
  for (std::string_view shipped : {ViewerScript(), ViewerStyle(), FitStyle()})
    for (size_t at; (at = dump.find(shipped)) != std::string::npos;)
      dump.replace(at, shipped.size(), "...");
  return dump;
}

// The first bytes of a JPEG file up to its frame header.
std::string JpegHead(int width, int height) {
  std::string head("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xFF\xC2\x00\x11\x08", 14);
  for (int n : {height, width}) head += {static_cast<char>(n >> 8), static_cast<char>(n & 255)};
  return head + "\x03";
}

TEST(ViewerPagesTest, PagesMatchGoldenFiles) {
  const std::vector<PictureFile> awkward = {{"a.jpg", 1},
                                            {"O'Brien \"<1>\" & co.jpg", 2048},
                                            {"caf\xE9 #1?50%.jpg", 3},
                                            {"x:y\\z\x01.gif", 4},
                                            {"\xC3\xA9t\xC3\xA9.jpg", 5}};
  const struct {
    const char* golden;  // under tests/data/express/
    const char* settings;
    const char* responsive = "0";
  } cases[] = {
      {"viewer.golden",  // two index pages that know every picture; picture pages
       "ExpressFontName=Arial\nExpressRows=1\nExpressCols=2\nExpressLinkTarget=viewer\n"
       "ExpressSepPage=1\nExpressShowNP=0"},
      {"responsive.golden",  // a grid as wide as 600 pixels, cells coloured
       "ExpressFontName=Arial\nExpressRows=2\nExpressCols=2\nExpressTableWidth=600\n"
       "ExpressPixelPercent=0\nExpressEnableTableOpt=1\nExpressColorTableCell=255",
       "1"},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    // Thumbnails of two sizes, one that is no JPEG, one cut off, the rest missing.
    fs::create_directory(dir.Path("thumbs"));
    WriteFile(dir.Path("thumbs/a_tn.jpg"), JpegHead(150, 100));
    WriteFile(dir.Path("thumbs/O'Brien \"<1>\" & co_tn.jpg"), JpegHead(300, 4000));
    WriteFile(dir.Path("thumbs/caf\xE9 #1?50%_tn.jpg"), "GIF89a");
    WriteFile(dir.Path("thumbs/x:y\\z\x01_tn.jpg"), JpegHead(10, 10).substr(0, 16));
    ExpressSettings settings;
    Assign(kExpressFields, c.settings, &settings);
    settings.ExpressResponsive = c.responsive;
    PageWarnings warnings;
    ASSERT_TRUE(WriteExpressPages(dir.path(), awkward, settings, &warnings)) << c.golden;
    std::string expected = ReadFile(fs::path(KESTO_TEST_DATA) / "express" / c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    EXPECT_EQ(DumpPages(dir.path()), expected) << c.golden;
  }
}

}  // namespace
