// The viewer and the pages that fit any screen, each gallery compared whole,
// a file of the user's at the viewer's path among them.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "pages/express_pages.h"
#include "pages/express_viewer.h"
#include "pages/web_assets.h"
#include "settings/record_fields.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Every file of `dir` by name (a link as where it leads), pages without their
// byte-order mark, the shipped script and style sheets as "...", then the
// warnings.
std::string Dump(const std::string& dir, const PageWarnings& warnings) {
  std::set<fs::path> paths(fs::directory_iterator(dir), {});
  std::string dump;
  for (const fs::path& path : paths) {
    std::string text = fs::is_symlink(path) ? "-> " + fs::read_symlink(path).string() + "\r\n"
                       : fs::is_regular_file(path) ? ReadFile(path)
                                                   : "(folder)\r\n";
    if (text.starts_with(kUtf8Bom)) text.erase(0, kUtf8Bom.size());
    dump += "==> " + path.filename().string() + " <==\r\n" + text;
  }
  for (const std::string& warning : warnings)
    dump += "==> warning: " + warning.substr(dir.size()) + "\r\n";
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

TEST(ViewerPagesTest, GalleriesMatchGoldenFiles) {
  const std::vector<PictureFile> awkward = {{"a.jpg", 1},
                                            {"O'Brien \"<1>\" & co.jpg", 2048},
                                            {"caf\xE9 #1?50%.jpg", 3},
                                            {"x:y\\z\x01.gif", 4},
                                            {"\xC3\xA9t\xC3\xA9.jpg", 5}};
  const std::string marked = std::string(kViewerMark) + "old\r\n";
  const struct {
    const char* golden;  // under tests/data/express/
    const char* settings;
    const char* responsive;
    const char* viewer_file;  // what lies at the viewer's path before
  } cases[] = {
      {"viewer.golden",  // three index pages; the viewer's own file is replaced
       "ExpressRows=1\nExpressCols=2\nExpressSepPage=1\nExpressShowNP=0", "0", "marked"},
      {"responsive.golden",  // a grid as wide as 600 pixels; the user's own file stays
       "ExpressRows=2\nExpressCols=2\nExpressTableWidth=600\nExpressPixelPercent=0\n"
       "ExpressEnableTableOpt=1\nExpressColorTableCell=255",
       "1", "own"},
      {"viewer-link.golden", "ExpressRows=9", "0", "link"},  // a link stays, even to a mark
  };
  for (const auto& c : cases) {
    TempFolder dir;
    // Thumbnails of two sizes, one that is no JPEG, one cut off, the rest missing.
    fs::create_directory(dir.Path("thumbs"));
    WriteFile(dir.Path("thumbs/a_tn.jpg"), JpegHead(150, 100));
    WriteFile(dir.Path("thumbs/O'Brien \"<1>\" & co_tn.jpg"), JpegHead(300, 4000));
    WriteFile(dir.Path("thumbs/caf\xE9 #1?50%_tn.jpg"), "GIF89a");
    WriteFile(dir.Path("thumbs/x:y\\z\x01_tn.jpg"), JpegHead(10, 10).substr(0, 16));
    std::string what = c.viewer_file, path = dir.Path(kViewerFile);
    WriteFile(what == "link" ? dir.Path("elsewhere.js") : path,
              what == "own" ? "mine\r\n" : marked);
    if (what == "link") fs::create_symlink("elsewhere.js", path);
    ExpressSettings settings;
    Assign(kExpressFields, std::string(c.settings) + "\nExpressLinkTarget=viewer", &settings);
    settings.ExpressFontName = "Arial";
    settings.ExpressResponsive = c.responsive;
    PageWarnings warnings;
    ASSERT_TRUE(WriteExpressPages(dir.path(), awkward, settings, &warnings)) << c.golden;
    std::string expected = ReadFile(fs::path(KESTO_TEST_DATA) / "express" / c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    EXPECT_EQ(Dump(dir.path(), warnings), expected) << c.golden;
  }
}

}  // namespace
