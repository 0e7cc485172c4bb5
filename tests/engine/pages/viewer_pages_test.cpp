// The Express options beyond the plain pages: the picture viewer and the
// pages that fit any screen, each compared as a whole gallery.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "pages/express_pages.h"
#include "pages/express_viewer.h"
#include "pages/page_output.h"
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
  for (std::string_view shipped : {ViewerScript(), ViewerStyle()})
    for (size_t at; (at = dump.find(shipped)) != std::string::npos;)
      dump.replace(at, shipped.size(), "...");
  return dump;
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
  } cases[] = {
      {"viewer.golden",  // two index pages that know every picture; picture pages
       "ExpressFontName=Arial\nExpressRows=1\nExpressCols=2\nExpressLinkTarget=viewer\n"
       "ExpressSepPage=1\nExpressShowNP=0"},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    ExpressSettings settings;
    Assign(kExpressFields, c.settings, &settings);
    PageWarnings warnings;
    ASSERT_TRUE(WriteExpressPages(dir.path(), awkward, settings, &warnings)) << c.golden;
    std::string expected = ReadFile(fs::path(KESTO_TEST_DATA) / "express" / c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    EXPECT_EQ(DumpPages(dir.path()), expected) << c.golden;
  }
}

}  // namespace
