#include "pages/express_pages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "pages/page_names.h"
#include "settings/text.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& path) { std::ofstream(path, std::ios::binary); }

// Every page of `dir`, by name, each after a line "==> name <==" and without
// the byte-order mark that starts every page.
std::string DumpPages(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".html") names.insert(entry.path().filename().string());
  std::string dump;
  for (const std::string& name : names) {
    std::string page = ReadFile(fs::path(dir) / name);
    EXPECT_TRUE(page.starts_with(kUtf8Bom)) << name;
    dump += "==> " + name + " <==\r\n" + page.substr(std::min(page.size(), kUtf8Bom.size()));
  }
  return dump;
}

// The pages of `pictures` in `dir`; false when an index page failed.
bool Write(const std::string& dir, const std::vector<PictureFile>& pictures,
           const ExpressSettings& settings, PageWarnings* warnings = nullptr) {
  PageWarnings ignored;
  return WriteExpressPages(dir, pictures, settings, warnings ? warnings : &ignored);
}

// The picture files and their thumbnails, so that the pages' links can be
// followed.
void MakePictures(const std::string& dir, const std::vector<PictureFile>& pictures) {
  fs::create_directory(fs::path(dir) / "thumbs");
  for (const PictureFile& picture : pictures) {
    Touch(fs::path(dir) / picture.name);
    Touch(fs::path(dir) / "thumbs" / (BaseName(picture.name) + "_tn.jpg"));
  }
}

struct GoldenCase {
  const char* golden;  // under tests/data/express/
  std::vector<PictureFile> pictures;
  std::function<void(ExpressSettings*)> adjust;
};

std::vector<GoldenCase> GoldenCases() {
  return {
      {"seven.golden",  // two pages, the second one short; menus above and below
       {{"a.jpg", 0},
        {"b.gif", 1023},
        {"c.jpeg", 1024},
        {"d.bmp", 2047},
        {"e.JPG", 5000},
        {"f_tn.jpg", 100},
        {"g.jpg", 1048576},
        {"h.jpg", 10240}},
       [](ExpressSettings* s) {
         s->ExpressRows = "2";
         s->ExpressCols = "2";
         s->ExpressMenuLocation = "both";
         s->ExpressLinkTarget = "new";
         s->ExpressColorPageBackground = "255";
         s->ExpressColorPageText = "1193046";
         s->ExpressColorTableBorder = "16711680";
       }},
      {"three.golden",  // one page with picture pages, table options and rights
       {{"beach.jpg", 10}, {"Tom & \"Jerry\".jpg", 3000}, {"zebra.bmp", 70000}},
       [](ExpressSettings* s) {
         s->ExpressRows = "2";
         s->ExpressCols = "2";
         s->ExpressMenuLocation = "both";
         s->ExpressSepPage = "1";
         s->ExpressShowNP = "0";
         s->ExpressCenter = "0";
         s->ExpressPageTitle = "   ";
         s->ExpressTableWidth = "600";
         s->ExpressPixelPercent = "0";
         s->ExpressEnableTableOpt = "1";
         s->ExpressTablePadding = " 5 ";
         s->ExpressTableSpacing = "2";
         s->ExpressColorTableCell = "11259375";
         s->ExpressUseRights = "1";
         s->ExpressRights = "© 2024 Me";
         s->ExpressFontBold = "1";
         s->ExpressFontItalic = "1";
         s->ExpressFontSize = "3";
         s->ExpressShowSize = "0";
         s->ExpressTableBorder = "2";
         s->ExpressImageBorder = "0";
       }},
      {"java.golden",  // pop-up picture pages walked within their index page
       {{"Anna_Maria_2004.jpg", 2048},
        {"beach_day.gif", 500},
        {"cliff_tn_old.jpg", 1},
        {"dunes.jpg", 99999},
        {"x<y>.jpg", 3072}},
       [](ExpressSettings* s) {
         s->ExpressRows = "1";
         s->ExpressCols = "2";
         s->ExpressLinkTarget = "java";
         s->ExpressSepPage = "1";
         s->ExpressGuessName = "1";
         s->ExpressNamePattern = "3";
         s->ExpressTableWidth = "80";
         s->ExpressPageTitle = " My Trip ";
         s->ExpressTableBorder = "1";
         s->ExpressFontName = "Verdana";
         s->ExpressColorPageTitle = "65535";
       }},
  };
}

ExpressSettings Settings(const GoldenCase& c) {
  ExpressSettings settings;
  settings.ExpressFontName = "Arial";
  c.adjust(&settings);
  return settings;
}

TEST(ExpressPagesTest, PagesMatchGoldenFiles) {
  for (const GoldenCase& c : GoldenCases()) {
    TempFolder dir;
    ASSERT_TRUE(Write(dir.path(), c.pictures, Settings(c))) << c.golden;
    std::string expected = ReadFile(fs::path(KESTO_TEST_DATA) / "express" / c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    EXPECT_EQ(DumpPages(dir.path()), expected) << c.golden;
  }
}

TEST(ExpressPagesTest, ALongerOldPageLeavesNothingBehind) {
  const std::vector<GoldenCase> cases = GoldenCases();
  const GoldenCase& c = cases.front();
  TempFolder fresh, used;
  WriteFile(used.Path("page1.html"), std::string(200000, 'x'));
  ASSERT_TRUE(Write(fresh.path(), c.pictures, Settings(c)));
  ASSERT_TRUE(Write(used.path(), c.pictures, Settings(c)));
  EXPECT_EQ(DumpPages(used.path()), DumpPages(fresh.path()));
}

std::string Unescape(std::string text) {
  for (auto [entity, ch] :
       {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
    text = ReplaceAll(text, entity, ch);
  return text;
}

// Every href and src of `page`, with a pop-up call reduced to its page.
std::vector<std::string> LinkTargets(const std::string& page) {
  static const std::regex kLink(
      R"re((?:href|src)="(?:JavaScript:ShowPic\('([^']*)'\)|([^"]*))")re");
  std::vector<std::string> targets;
  for (std::sregex_iterator it(page.begin(), page.end(), kLink), end; it != end; ++it)
    targets.push_back(Unescape((*it)[1].matched ? (*it)[1].str() : (*it)[2].str()));
  return targets;
}

TEST(ExpressPagesTest, EveryLinkOfTheGoldenCasesResolves) {
  for (const GoldenCase& c : GoldenCases()) {
    TempFolder dir;
    MakePictures(dir.path(), c.pictures);
    ASSERT_TRUE(Write(dir.path(), c.pictures, Settings(c))) << c.golden;
    for (const auto& file : fs::directory_iterator(dir.path())) {
      if (file.path().extension() != ".html") continue;
      for (const std::string& target : LinkTargets(ReadFile(file.path()))) {
        if (target == "#") continue;
        EXPECT_TRUE(fs::exists(fs::path(dir.path()) / target)) << file.path() << ": " << target;
      }
    }
  }
}

TEST(ExpressPagesTest, NothingIsWrittenWithoutPictures) {
  const std::vector<std::vector<PictureFile>> lists = {{}, {{"a_tn.jpg", 5}, {"b_tn.gif", 5}}};
  for (const auto& pictures : lists) {
    TempFolder dir;
    EXPECT_TRUE(Write(dir.path(), pictures, ExpressSettings{}));
    EXPECT_TRUE(fs::is_empty(dir.path())) << pictures.size();
  }
}

TEST(ExpressPagesTest, RowsAndColumnsBelowOneCountAsOne) {
  struct Case {
    const char* rows;
    const char* cols;
    int pages;
  };
  const Case cases[] = {{"0", "0", 3},   {"-2", "-2", 3}, {"x", "1", 3},
                        {"2.5", "1", 2}, {"1", "3.5", 1}, {"99999999999", "1", 1}};
  const std::vector<PictureFile> pictures = {{"a.jpg", 1}, {"b.jpg", 1}, {"c.jpg", 1}};
  for (const Case& c : cases) {
    TempFolder dir;
    ExpressSettings settings;
    settings.ExpressRows = c.rows;
    settings.ExpressCols = c.cols;
    ASSERT_TRUE(Write(dir.path(), pictures, settings)) << c.rows << " x " << c.cols;
    EXPECT_TRUE(fs::exists(dir.path() + "/" + ExpressPageFileName(c.pages))) << c.rows;
    EXPECT_FALSE(fs::exists(dir.path() + "/" + ExpressPageFileName(c.pages + 1))) << c.rows;
  }
}

ExpressSettings OnePerPageWithPicturePages() {
  ExpressSettings settings;
  settings.ExpressRows = "1";
  settings.ExpressCols = "1";
  settings.ExpressSepPage = "1";
  return settings;
}

// A folder in the way of a page makes that page unwritable.
TEST(ExpressPagesTest, PagesThatCannotBeWritten) {
  struct Case {
    const char* blocked;
    bool result;
    std::vector<const char*> written;
    std::vector<const char*> missing;
  };
  const Case cases[] = {
      // An index page ends the call; it comes after the picture pages of its cells.
      {"page2.html", false, {"page1.html", "a.html", "b.html"}, {"c.html", "page3.html"}},
      // A picture page is left out.
      {"b.html", true, {"a.html", "c.html", "page1.html", "page2.html", "page3.html"}, {}},
  };
  const std::vector<PictureFile> pictures = {{"a.jpg", 1}, {"b.jpg", 1}, {"c.jpg", 1}};
  for (const Case& c : cases) {
    TempFolder dir;
    fs::create_directory(dir.path() + "/" + c.blocked);
    PageWarnings warnings;
    EXPECT_EQ(Write(dir.path(), pictures, OnePerPageWithPicturePages(), &warnings), c.result);
    std::string told = dir.path() + "/" + c.blocked + ": cannot be written (Is a directory)";
    EXPECT_EQ(warnings, PageWarnings{c.result ? told : "the pages stopped early: " + told});
    for (const char* name : c.written)
      EXPECT_TRUE(fs::is_regular_file(dir.path() + "/" + name)) << c.blocked << ": " << name;
    for (const char* name : c.missing)
      EXPECT_FALSE(fs::exists(dir.path() + "/" + name)) << c.blocked << ": " << name;
  }
}

TEST(ExpressPagesTest, PicturePagesNeverReplaceIndexPages) {
  TempFolder dir;
  const std::vector<PictureFile> pictures = {{"a.jpg", 1}, {"page1.jpg", 1}, {"page4.jpg", 1}};
  PageWarnings warnings;
  EXPECT_TRUE(Write(dir.path(), pictures, OnePerPageWithPicturePages(), &warnings));
  const std::string bom(kUtf8Bom);
  EXPECT_TRUE(ReadFile(dir.path() + "/page1.html").starts_with(bom + "\r\n\r\n\r\n<!----"));
  EXPECT_TRUE(ReadFile(dir.path() + "/page4.html").starts_with(bom + "<HTML><HEAD><TITLE>page4"));
  EXPECT_EQ(warnings, PageWarnings{dir.path() + "/page1.jpg: its picture page page1.html would "
                                                "replace an index page; it is not written"});
}

// Every link leads to its file whatever bytes the name holds, and no name
// can end the pop-up's script string.
TEST(ExpressPagesTest, LinksLeadToEveryFileName) {
  const std::vector<PictureFile> pictures = {
      {"a#b.jpg", 1}, {"caf\xE9.jpg", 1}, {"x');document.title='PWNED';('.jpg", 1}};
  const struct {
    const char* target;
    const char* picture_pages;
    std::vector<std::string> in_index;
  } cases[] = {
      {"same",
       "0",
       {"<a href=\"a%23b.jpg\"><img src=\"thumbs/a%23b_tn.jpg\"", "<br>a#b.jpg<br>",
        "<a href=\"caf%E9.jpg\"><img src=\"thumbs/caf%E9_tn.jpg\"", "<br>caf\xEF\xBF\xBD.jpg",
        "<a href=\"x%27);document.title=%27PWNED%27;(%27.jpg\">"}},
      {"new", "1", {"<a href=\"caf%E9.html\" target=\"_blank\">"}},
      {"java",
       "1",
       {"<a href=\"JavaScript:ShowPic('a%2523b.html')\">",
        "<a href=\"JavaScript:ShowPic('caf%25E9.html')\">",
        "<a href=\"JavaScript:ShowPic('x%2527);document.title=%2527PWNED%2527;(%2527.html')\">"}},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    ExpressSettings settings;
    settings.ExpressLinkTarget = c.target;
    settings.ExpressSepPage = c.picture_pages;
    ASSERT_TRUE(Write(dir.path(), pictures, settings)) << c.target;
    std::string index = ReadFile(dir.path() + "/page1.html");
    for (const std::string& text : c.in_index)
      EXPECT_NE(index.find(text), std::string::npos) << c.target << ": " << text;
  }
  TempFolder dir;
  ExpressSettings settings;
  settings.ExpressSepPage = "1";
  ASSERT_TRUE(Write(dir.path(), pictures, settings));
  std::string page = ReadFile(dir.path() + "/caf\xE9.html");  // named by the bytes of the picture
  EXPECT_NE(page.find("<TITLE>caf\xEF\xBF\xBD.jpg</TITLE>"), std::string::npos);
  EXPECT_NE(page.find("<img src=\"caf%E9.jpg\" border=0>"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"x%27);document.title=%27PWNED%27;(%27.html\"><img "
                      "src=\"thumbs/x%27);document.title=%27PWNED%27;(%27_tn.jpg\""),
            std::string::npos);
}

}  // namespace
