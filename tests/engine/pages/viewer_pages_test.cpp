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

// Every file of `dir` by name, pages without their byte-order mark, with the viewer's script and
// style sheet, which have tests of their own in a browser, left out.
std::string DumpPages(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.is_regular_file()) names.insert(entry.path().filename().string());
  std::string dump;
  for (const std::string& name : names) {
    std::string page = ReadFile(fs::path(dir) / name);
    if (page.starts_with(kUtf8Bom)) page.erase(0, kUtf8Bom.size());
    dump += "==> " + name + " <==\r\n" + page;
  }
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
      {"viewer.golden",  // three index pages, the viewer's file knows every picture
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

// Only the viewer's own file is replaced: the user's own file of that name, a
// link (even to a file with the mark) or a folder stays, and the pages do
// without the viewer.
TEST(ViewerPagesTest, OnlyTheViewersOwnFileIsReplaced) {
  const std::string marked = std::string(kViewerMark) + "old";
  const struct {
    const char* what;
    bool replaced;
  } cases[] = {{"own", false}, {"link", false}, {"folder", false}, {"marked", true}};
  for (const auto& c : cases) {
    TempFolder dir;
    const std::string path = dir.Path(kViewerFile), what = c.what;
    if (what == "own") WriteFile(path, "alert('mine')");
    if (what == "link") WriteFile(dir.Path("elsewhere.js"), marked);
    if (what == "link") fs::create_symlink("elsewhere.js", path);
    if (what == "folder") fs::create_directory(path);
    if (what == "marked") WriteFile(path, marked);
    ExpressSettings settings;
    settings.ExpressLinkTarget = "viewer";
    PageWarnings warnings;
    ASSERT_TRUE(WriteExpressPages(dir.path(), {{"a.jpg", 1}}, settings, &warnings)) << what;
    std::string page = ReadFile(dir.Path("page1.html"));
    EXPECT_EQ(page.find(kViewerFile) != std::string::npos, c.replaced) << what;
    EXPECT_EQ(page.find("data-kv") != std::string::npos, c.replaced) << what;
    EXPECT_EQ(warnings.size(), c.replaced ? 0u : 1u) << what;
    EXPECT_EQ(fs::is_symlink(path), what == "link") << what;
    EXPECT_EQ(ReadFile(dir.Path("elsewhere.js")), what == "link" ? marked : "") << what;
    std::string now = fs::is_regular_file(path) ? ReadFile(path) : "";
    EXPECT_EQ(now, what == "own"      ? "alert('mine')"
                   : what == "link"   ? marked
                   : what == "marked" ? ViewerFileText("[[\"a.jpg\",\"a.jpg\",1]]")
                                      : "")
        << what;
  }
}
