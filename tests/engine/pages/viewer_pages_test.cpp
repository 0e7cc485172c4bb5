// Express galleries, the viewer and pages that fit any screen compared whole.
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
// byte-order mark, shipped scripts and styles as "...", then the warnings.
std::string Dump(const std::string& dir, const PageWarnings& warnings) {
  std::set<fs::path> paths(fs::directory_iterator(dir), {});
  std::string dump;
  for (const fs::path& path : paths) {
    std::string text = fs::is_symlink(path) ? "-> " + fs::read_symlink(path).string() + "\r\n"
                       : fs::is_regular_file(path) ? ReadFile(path)
                                                   : "(folder)\r\n";
    if (text.starts_with(kUtf8Bom))
      text.erase(0, kUtf8Bom.size());
    else if (path.extension() == ".html")
      text.insert(0, "(no byte-order mark)");
    dump += "==> " + path.filename().string() + " <==\r\n" + text;
  }
  for (const std::string& warning : warnings)
    dump += "==> warning: " + warning.substr(dir.size()) + "\r\n";
  for (std::string_view shipped : {ViewerScript(), ViewerStyle(), FitStyle()})
    for (size_t at; (at = dump.find(shipped)) != std::string::npos;)
      dump.replace(at, shipped.size(), "...");
  return dump;
}

std::string JpegHead(int width, int height) {  // a JPEG's bytes up to its frame header
  std::string head("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xFF\xC2\x00\x11\x08", 14);
  for (int n : {height, width}) head += {static_cast<char>(n >> 8), static_cast<char>(n & 255)};
  return head + "\x03";
}

TEST(ExpressPagesTest, GalleriesMatchGoldenFiles) {
  const std::vector<PictureFile> awkward = {{"a.jpg", 1},
                                            {"O'Brien \"<1>\" & co.jpg", 2048},
                                            {"caf\xE9 #1?50%.jpg", 3},
                                            {"x:y\\z\x01.gif", 4},
                                            {"\xC3\xA9t\xC3\xA9.jpg", 5}};
  const std::string viewer = "\nExpressLinkTarget=viewer\nExpressFontName=Arial\n";
  const struct {
    const char* golden;  // under tests/data/express/
    std::vector<PictureFile> pictures;
    std::string settings;
    std::string viewer_file = "";  // what lies at the viewer's path before, beside thumbnails
    const char* responsive = "0";
  } cases[] = {
      {"seven.golden",  // two pages, the second one short; menus above and below
       {{"a.jpg", 0},
        {"b.gif", 1023},
        {"c.jpeg", 1024},
        {"d.bmp", 2047},
        {"e.JPG", 5000},
        {"f_tn.jpg", 100},
        {"g.jpg", 1048576},
        {"h.jpg", 10240}},
       "ExpressFontName=Arial\nExpressRows=2\nExpressCols=2\nExpressMenuLocation=both\n"
       "ExpressLinkTarget=new\nExpressColorPageBackground=255\nExpressColorPageText=1193046\n"
       "ExpressColorTableBorder=16711680"},
      {"three.golden",  // one page with picture pages, table options and rights
       {{"beach.jpg", 10}, {"Tom & \"Jerry\".jpg", 3000}, {"zebra.bmp", 70000}},
       "ExpressFontName=Arial\nExpressRows=2\nExpressCols=2\nExpressMenuLocation=both\n"
       "ExpressSepPage=1\nExpressShowNP=0\nExpressCenter=0\nExpressPageTitle=   \n"
       "ExpressTableWidth=600\nExpressPixelPercent=0\nExpressEnableTableOpt=1\n"
       "ExpressTablePadding= 5 \nExpressTableSpacing=2\nExpressColorTableCell=11259375\n"
       "ExpressUseRights=1\nExpressRights=© 2024 Me\nExpressFontBold=1\nExpressFontItalic=1\n"
       "ExpressFontSize=3\nExpressShowSize=0\nExpressTableBorder=2\nExpressImageBorder=0"},
      {"java.golden",  // pop-up picture pages walked within their index page
       {{"Anna_Maria_2004.jpg", 2048},
        {"beach_day.gif", 500},
        {"cliff_tn_old.jpg", 1},
        {"dunes.jpg", 99999},
        {"x<y>.jpg", 3072}},
       "ExpressFontName=Verdana\nExpressRows=1\nExpressCols=2\nExpressLinkTarget=java\n"
       "ExpressSepPage=1\nExpressGuessName=1\nExpressNamePattern=3\nExpressTableWidth=80\n"
       "ExpressPageTitle= My Trip \nExpressTableBorder=1\nExpressColorPageTitle=65535"},
      {"viewer.golden", awkward,  // three index pages; the viewer's own file is replaced
       viewer + "ExpressRows=1\nExpressCols=2\nExpressSepPage=1\nExpressShowNP=0", "marked"},
      {"responsive.golden", awkward,  // a grid as wide as 600 pixels; the user's own file stays
       viewer + "ExpressRows=2\nExpressCols=2\nExpressTableWidth=600\nExpressPixelPercent=0\n"
                "ExpressEnableTableOpt=1\nExpressColorTableCell=255",
       "own", "1"},
      {"viewer-link.golden", awkward, viewer + "ExpressRows=9", "link"}};  // a link stays
  for (const auto& c : cases) {
    TempFolder dir;
    WriteFile(dir.Path("page1.html"), std::string(200000, 'x'));  // longer, of an earlier run
    if (!c.viewer_file.empty()) {
      // Thumbnails of two sizes, one that is no JPEG, one cut off, the rest missing.
      fs::create_directory(dir.Path("thumbs"));
      WriteFile(dir.Path("thumbs/a_tn.jpg"), JpegHead(150, 100));
      WriteFile(dir.Path("thumbs/O'Brien \"<1>\" & co_tn.jpg"), JpegHead(300, 4000));
      WriteFile(dir.Path("thumbs/caf\xE9 #1?50%_tn.jpg"), "GIF89a");
      WriteFile(dir.Path("thumbs/x:y\\z\x01_tn.jpg"), JpegHead(10, 10).substr(0, 16));
      bool link = c.viewer_file == "link";
      WriteFile(link ? dir.Path("elsewhere.js") : dir.Path(kViewerFile),
                c.viewer_file == "own" ? "mine\r\n" : std::string(kViewerMark) + "old\r\n");
      if (link) fs::create_symlink("elsewhere.js", dir.Path(kViewerFile));
    }
    ExpressSettings settings;
    Assign(kExpressFields, c.settings, &settings);
    settings.ExpressResponsive = c.responsive;
    PageWarnings warnings;
    ASSERT_TRUE(WriteExpressPages(dir.path(), c.pictures, settings, &warnings)) << c.golden;
    std::string expected = ReadFile(fs::path(KESTO_TEST_DATA) / "express" / c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    EXPECT_EQ(Dump(dir.path(), warnings), expected) << c.golden;
  }
}

}  // namespace
