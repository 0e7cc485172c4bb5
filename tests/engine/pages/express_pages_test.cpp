#include "pages/express_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "pages/html_text.h"
#include "pages/page_names.h"
#include "settings/record_fields.h"
#include "settings/text.h"
#include "table_rows.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// The pages of `pictures` in `dir` with the settings of `lines`; false when an
// index page failed.
bool Write(const std::string& dir, const std::vector<PictureFile>& pictures,
           const std::string& lines, PageWarnings* warnings = nullptr) {
  ExpressSettings settings;
  Assign(kExpressFields, lines, &settings);
  PageWarnings ignored;
  return WriteExpressPages(dir, pictures, settings, warnings ? warnings : &ignored);
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
// can end the pop-up's script string. Each row: the link target, whether
// pictures have pages, a part of the gallery's pages.
TEST(ExpressPagesTest, LinksLeadToEveryFileName) {
  const std::vector<PictureFile> pictures = {{"a#b.jpg", 1},
                                             {"caf\xE9.jpg", 1},
                                             {"x');document.title='PWNED';('.jpg", 1},
                                             {"javascript:document.title='PWNED';x.jpg", 1}};
  for (const auto& row : Rows(R"-(same|0|<a href="a%23b.jpg"><img src="thumbs/a%23b_tn.jpg"
same|0|<br>a#b.jpg<br>
same|0|<a href="caf%E9.jpg"><img src="thumbs/caf%E9_tn.jpg"
same|0|<br>caf�.jpg
same|0|<a href="x%27);document.title=%27PWNED%27;(%27.jpg">
same|0|<a href="javascript%3Adocument.title=%27PWNED%27;x.jpg">
new|1|<a href="caf%E9.html" target="_blank">
java|1|<a href="JavaScript:ShowPic('a%2523b.html')">
java|1|<a href="JavaScript:ShowPic('caf%25E9.html')">
java|1|<a href="JavaScript:ShowPic('x%2527);document.title=%2527PWNED%2527;(%2527.html')">
java|1|ShowPic('javascript%253Adocument.title=%2527PWNED%2527;x.html')
same|1|<TITLE>caf�.jpg</TITLE>
same|1|<img src="caf%E9.jpg" border=0>
same|1|<a href="x%27);document.title=%27PWNED%27;(%27.html"><img src="thumbs/x%27);
same|1|<img src="thumbs/x%27);document.title=%27PWNED%27;(%27_tn.jpg")-")) {
    TempFolder dir;
    ASSERT_TRUE(
        Write(dir.path(), pictures, "ExpressLinkTarget=" + row[0] + "\nExpressSepPage=" + row[1]));
    std::string pages;
    for (const auto& entry : fs::directory_iterator(dir.path())) pages += ReadFile(entry.path());
    EXPECT_NE(pages.find(row[2]), std::string::npos) << row[0] << row[1] << ": " << row[2];
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
    ExpressSettings settings;
    settings.ExpressSepPage = "1";
    settings.ExpressHiDpi = hidpi;
    PageWarnings warnings;
    ASSERT_TRUE(WriteExpressPages(dir.path(), {{"a.jpg", 1}, {"b.png", 2}, {"c d,e.gif", 3}},
                                  settings, &warnings));
    std::string pages = dir.Read("page1.html") + dir.Read("b.html"), found;
    std::regex img("<img [^>]*>");
    for (std::sregex_iterator it(pages.begin(), pages.end(), img), end; it != end; ++it)
      found += it->str() + "\n";
    EXPECT_EQ(found, images) << hidpi;
  }
}

TEST(SrcsetUrlTest, WhiteSpaceAndCommasCannotEndTheAddress) {
  EXPECT_EQ(SrcsetUrl("plain_tn@2x.jpg"), "plain_tn@2x.jpg");
  EXPECT_EQ(SrcsetUrl("a b,c\td.jpg"), "a%20b%2Cc%09d.jpg");
  EXPECT_EQ(SrcsetUrl("50% #1 \"x\".jpg"), "50%25%20%231%20&quot;x&quot;.jpg");
  EXPECT_EQ(SrcsetUrl("caf\xE9 .jpg"), "caf%E9%20.jpg");
}

}  // namespace
