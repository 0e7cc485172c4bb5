#include "pages/express_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "pages/html_text.h"
#include "pages/page_names.h"
#include "settings/record_fields.h"
#include "settings/text.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

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

// The pages of `pictures` in `dir` with the settings of `lines`; false when an
// index page failed.
bool Write(const std::string& dir, const std::vector<PictureFile>& pictures,
           const std::string& lines, PageWarnings* warnings = nullptr) {
  ExpressSettings settings;
  Assign(kExpressFields, lines, &settings);
  PageWarnings ignored;
  return WriteExpressPages(dir, pictures, settings, warnings ? warnings : &ignored);
}

TEST(ExpressPagesTest, PagesMatchGoldenFiles) {
  const struct {
    const char* golden;  // under tests/data/express/
    std::vector<PictureFile> pictures;
    const char* settings;
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
       "ExpressPageTitle= My Trip \nExpressTableBorder=1\nExpressColorPageTitle=65535"}};
  for (const auto& c : cases) {
    TempFolder dir;
    // A longer page of an earlier run leaves nothing behind.
    WriteFile(dir.Path("page1.html"), std::string(200000, 'x'));
    ASSERT_TRUE(Write(dir.path(), c.pictures, c.settings)) << c.golden;
    std::string expected = ReadFile(fs::path(KESTO_TEST_DATA) / "express" / c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    EXPECT_EQ(DumpPages(dir.path()), expected) << c.golden;
  }
}

// No pictures, no pages; rows and columns below one count as one.
TEST(ExpressPagesTest, PagesForThePicturesRowsAndColumns) {
  const std::vector<PictureFile> three = {{"a.jpg", 1}, {"b.jpg", 1}, {"c.jpg", 1}};
  for (const auto& [pictures, settings, pages] :
       std::vector<std::tuple<std::vector<PictureFile>, std::string, int>>{
           {{{"a_tn.jpg", 5}, {"b_tn.gif", 5}}, "", 0},
           {three, "ExpressRows=0\nExpressCols=0", 3},
           {three, "ExpressRows=2.5\nExpressCols=1", 2},
           {three, "ExpressRows=99999999999\nExpressCols=1", 1}}) {
    TempFolder dir;
    ASSERT_TRUE(Write(dir.path(), pictures, settings));
    EXPECT_EQ(dir.Count(), size_t(pages)) << settings;
    EXPECT_TRUE(pages == 0 || fs::exists(dir.Path(ExpressPageFileName(pages)))) << settings;
  }
}

// A folder in the way of a page makes that page unwritable: an index page ends
// the call (it comes after the picture pages of its cells), a picture page is
// left out.
TEST(ExpressPagesTest, PagesThatCannotBeWritten) {
  for (const auto& [blocked, result, files] :
       std::vector<std::tuple<std::string, bool, std::set<std::string>>>{
           {"page2.html", false, {"a.html", "b.html", "page1.html", "page2.html"}},
           {"b.html",
            true,
            {"a.html", "b.html", "c.html", "page1.html", "page2.html", "page3.html"}}}) {
    TempFolder dir;
    fs::create_directory(dir.Path(blocked));
    PageWarnings warnings;
    EXPECT_EQ(Write(dir.path(), {{"a.jpg", 1}, {"b.jpg", 1}, {"c.jpg", 1}},
                    "ExpressRows=1\nExpressCols=1\nExpressSepPage=1", &warnings),
              result);
    std::string told = dir.Path(blocked) + ": cannot be written (Is a directory)";
    EXPECT_EQ(warnings, PageWarnings{result ? told : "the pages stopped early: " + told});
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir.path()))
      found.insert(entry.path().filename().string());
    EXPECT_EQ(found, files) << blocked;
    EXPECT_TRUE(fs::is_directory(dir.Path(blocked)));
  }
}

// Nor the landing page: links to that picture lead to the picture itself.
TEST(ExpressPagesTest, PicturePagesNeverReplaceIndexPages) {
  TempFolder dir;
  PageWarnings warnings;
  EXPECT_TRUE(Write(dir.path(),
                    {{"a.jpg", 1}, {"index.jpg", 1}, {"page1.jpg", 1}, {"page4.jpg", 1}},
                    "ExpressRows=1\nExpressCols=2\nExpressSepPage=1", &warnings));
  const std::string bom(kUtf8Bom);
  EXPECT_TRUE(dir.Read("page1.html").starts_with(bom + "\r\n\r\n\r\n<!----"));
  EXPECT_TRUE(dir.Read("page4.html").starts_with(bom + "<HTML><HEAD><TITLE>page4"));
  EXPECT_FALSE(fs::exists(dir.Path("index.html")));
  EXPECT_NE(dir.Read("page1.html").find("<a href=\"index.jpg\"><img"), std::string::npos);
  EXPECT_NE(dir.Read("a.html").find("<a href=\"index.jpg\">Next Image</a>"), std::string::npos);
  ASSERT_EQ(warnings.size(), 2u);  // in the words of the Advanced pages' test
  EXPECT_TRUE(warnings[1].starts_with(dir.path() + "/page1.jpg: its picture page page1.html"));
}

// Every link leads to its file whatever bytes the name holds, and no name
// can end the pop-up's script string.
TEST(ExpressPagesTest, LinksLeadToEveryFileName) {
  const std::vector<PictureFile> pictures = {{"a#b.jpg", 1},
                                             {"caf\xE9.jpg", 1},
                                             {"x');document.title='PWNED';('.jpg", 1},
                                             {"javascript:document.title='PWNED';x.jpg", 1}};
  for (const auto& [settings, page, parts] :
       std::vector<std::tuple<std::string, std::string, std::vector<std::string>>>{
           {"ExpressLinkTarget=same",
            "page1.html",
            {"<a href=\"a%23b.jpg\"><img src=\"thumbs/a%23b_tn.jpg\"", "<br>a#b.jpg<br>",
             "<a href=\"caf%E9.jpg\"><img src=\"thumbs/caf%E9_tn.jpg\"", "<br>caf\xEF\xBF\xBD.jpg",
             "<a href=\"x%27);document.title=%27PWNED%27;(%27.jpg\">",
             "<a href=\"javascript%3Adocument.title=%27PWNED%27;x.jpg\">"}},
           {"ExpressLinkTarget=new\nExpressSepPage=1",
            "page1.html",
            {"<a href=\"caf%E9.html\" target=\"_blank\">"}},
           {"ExpressLinkTarget=java\nExpressSepPage=1",
            "page1.html",
            {"<a href=\"JavaScript:ShowPic('a%2523b.html')\">",
             "<a href=\"JavaScript:ShowPic('caf%25E9.html')\">",
             "<a "
             "href=\"JavaScript:ShowPic('x%2527);document.title=%2527PWNED%2527;(%2527.html')\">",
             "ShowPic('javascript%253Adocument.title=%2527PWNED%2527;x.html')"}},
           {"ExpressSepPage=1",
            "caf\xE9.html",  // named by the bytes of the picture
            {"<TITLE>caf\xEF\xBF\xBD.jpg</TITLE>", "<img src=\"caf%E9.jpg\" border=0>",
             "<a href=\"x%27);document.title=%27PWNED%27;(%27.html\"><img "
             "src=\"thumbs/x%27);document.title=%27PWNED%27;(%27_tn.jpg\""}}}) {
    TempFolder dir;
    ASSERT_TRUE(Write(dir.path(), pictures, settings)) << settings;
    std::string text = dir.Read(page);
    for (const std::string& part : parts)
      EXPECT_NE(text.find(part), std::string::npos) << settings << ": " << part;
  }
}

// With ExpressHiDpi on, every thumbnail image offers its double when there is
// one and loads lazily; off, nothing of it appears. The images are those of
// the index page, then of b's picture page (its neighbours and itself).
TEST(HiDpiPagesTest, EveryThumbnailImageOffersItsDoubleAndLoadsLazily) {
  const std::string on =
      R"(<img src="thumbs/a_tn.jpg" srcset="thumbs/a_tn@2x.jpg 2x" loading="lazy" border=1>
<img src="thumbs/b_tn.jpg" loading="lazy" border=1>
<img src="thumbs/c d,e_tn.jpg" srcset="thumbs/c%20d%2Ce_tn@2x.jpg 2x" loading="lazy" border=1>
<img src="thumbs/a_tn.jpg" srcset="thumbs/a_tn@2x.jpg 2x" loading="lazy" border=0>
<img src="thumbs/c d,e_tn.jpg" srcset="thumbs/c%20d%2Ce_tn@2x.jpg 2x" loading="lazy" border=0>
<img src="b.png" border=0>
)";
  for (const auto& [hidpi, images] : std::vector<std::pair<std::string, std::string>>{
           {"1", on},
           {"0", std::regex_replace(on, std::regex(R"( srcset="[^"]*"| loading="lazy")"), "")},
           {"yes", std::regex_replace(on, std::regex(R"( srcset="[^"]*"| loading="lazy")"), "")}}) {
    TempFolder dir;
    fs::create_directory(dir.Path("thumbs"));
    for (const char* made : {"a_tn@2x.jpg", "c d,e_tn@2x.jpg"})
      dir.Write(std::string("thumbs/") + made, "");
    ASSERT_TRUE(Write(dir.path(), {{"a.jpg", 1}, {"b.png", 2}, {"c d,e.gif", 3}},
                      "ExpressSepPage=1\nExpressHiDpi=" + hidpi));
    std::string pages = dir.Read("page1.html") + dir.Read("b.html"), found;
    std::regex img("<img [^>]*>");
    for (std::sregex_iterator it(pages.begin(), pages.end(), img), end; it != end; ++it)
      found += it->str() + "\n";
    EXPECT_EQ(found, images) << hidpi;
  }
}

TEST(SrcsetUrlTest, WhiteSpaceAndCommasCannotEndTheAddress) {
  for (const auto& [name, url] : std::vector<std::pair<std::string, std::string>>{
           {"plain_tn@2x.jpg", "plain_tn@2x.jpg"},
           {"a b,c\td.jpg", "a%20b%2Cc%09d.jpg"},
           {"50% #1 \"x\".jpg", "50%25%20%231%20&quot;x&quot;.jpg"},
           {"caf\xE9 .jpg", "caf%E9%20.jpg"}})
    EXPECT_EQ(SrcsetUrl(name), url);
}

}  // namespace
