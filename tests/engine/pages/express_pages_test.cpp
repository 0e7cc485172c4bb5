#include "pages/express_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "pages/html_text.h"
#include "settings/record_fields.h"
#include "settings/text.h"
#include "table_rows.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Writes the pages with the settings `lines` (";" between them); false when an index page failed.
bool Write(const std::string& dir, const std::vector<PictureFile>& pictures,
           const std::string& lines, PageWarnings* warnings = nullptr, const char* hidpi = "0") {
  ExpressSettings settings;
  Assign(kExpressFields, ReplaceAll(lines, ";", "\n"), &settings);
  settings.ExpressHiDpi = hidpi;
  PageWarnings ignored;
  return WriteExpressPages(dir, pictures, settings, warnings ? warnings : &ignored);
}

// The names in `dir` without extensions, in order, a blank between them.
std::string Names(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().stem());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
  return joined;
}

const std::vector<PictureFile> kThree = {{"a.jpg", 1}, {"b.jpg", 1}, {"c.jpg", 1}};

// Rows and columns below one count as one. A folder in the way of an index
// page ends the call (after the picture pages of its cells), of a picture page
// leaves that out. Each row: the settings (none: only a thumbnail), the folder
// in the way, whether the call succeeded, the names after.
TEST(ExpressPagesTest, PagesForThePicturesAndPagesThatCannotBeWritten) {
  for (const auto& row : Rows(R"(ExpressRows=0;ExpressCols=0||1|page1 page2 page3
ExpressRows=2.5;ExpressCols=1||1|page1 page2
ExpressRows=99999999999;ExpressCols=1||1|page1
ExpressRows=1;ExpressCols=1;ExpressSepPage=1|page2.html|0|a b page1 page2
ExpressRows=1;ExpressCols=1;ExpressSepPage=1|b.html|1|a b c page1 page2 page3
||1|)")) {
    TempFolder dir;
    if (!row[1].empty()) fs::create_directory(dir.Path(row[1]));
    PageWarnings warnings;
    bool ok = Write(dir.path(), row[0].empty() ? std::vector<PictureFile>{{"a_tn.jpg", 5}} : kThree,
                    row[0], &warnings);
    std::string told = dir.Path(row[1]) + ": cannot be written (Is a directory)";
    EXPECT_EQ(warnings, row[1].empty()
                            ? PageWarnings{}
                            : PageWarnings{ok ? told : "the pages stopped early: " + told});
    EXPECT_EQ(std::to_string(ok) + "|" + Names(dir.path()), row[2] + "|" + row[3]) << row[0];
  }
}

// Nor the landing page: links to that picture lead to the picture itself.
TEST(ExpressPagesTest, PicturePagesNeverReplaceIndexPages) {
  TempFolder dir;
  PageWarnings warnings;
  EXPECT_TRUE(Write(dir.path(),
                    {{"a.jpg", 1}, {"index.jpg", 1}, {"page1.jpg", 1}, {"page4.jpg", 1}},
                    "ExpressRows=1;ExpressCols=2;ExpressSepPage=1", &warnings));
  EXPECT_EQ(Names(dir.path()), "a page1 page2 page4");
  EXPECT_TRUE(dir.Read("page1.html").starts_with(std::string(kUtf8Bom) + "\r\n\r\n\r\n<!----"));
  EXPECT_NE(dir.Read("page1.html").find("<a href=\"index.jpg\"><img"), std::string::npos);
  EXPECT_NE(dir.Read("a.html").find("<a href=\"index.jpg\">Next Image</a>"), std::string::npos);
  ASSERT_EQ(warnings.size(), 2u);  // in the words of the Advanced pages' test
  EXPECT_TRUE(warnings[1].starts_with(dir.path() + "/page1.jpg: its picture page page1.html"));
}

// Every link leads to its file whatever its name, and no name can end the pop-up's
// script string. Each row: link target, picture pages or not, a part of the pages.
TEST(ExpressPagesTest, LinksLeadToEveryFileName) {
  const std::vector<PictureFile> pictures = {{"a#b.jpg", 1},
                                             {"caf\xE9.jpg", 1},
                                             {"x');document.title='PWNED';('.jpg", 1},
                                             {"javascript:document.title='PWNED';x.jpg", 1}};
  for (const auto& row : Rows(R"-(same|0|<a href="a%23b.jpg"><img src="thumbs/a%23b_tn.jpg"
same|0|<a href="caf%E9.jpg"><img src="thumbs/caf%E9_tn.jpg"
same|0|<a href="x%27);document.title=%27PWNED%27;(%27.jpg">
same|0|<a href="javascript%3Adocument.title=%27PWNED%27;x.jpg">
new|1|<a href="caf%E9.html" target="_blank">
java|1|<a href="JavaScript:ShowPic('caf%25E9.html')">
java|1|<a href="JavaScript:ShowPic('x%2527);document.title=%2527PWNED%2527;(%2527.html')">
java|1|ShowPic('javascript%253Adocument.title=%2527PWNED%2527;x.html')
same|1|<TITLE>caf�.jpg</TITLE>
same|1|<img src="caf%E9.jpg" border=0>
same|1|<a href="x%27);document.title=%27PWNED%27;(%27.html"><img src="thumbs/x%27);
same|1|<img src="thumbs/x%27);document.title=%27PWNED%27;(%27_tn.jpg")-")) {
    TempFolder dir;
    ASSERT_TRUE(
        Write(dir.path(), pictures, "ExpressLinkTarget=" + row[0] + ";ExpressSepPage=" + row[1]));
    std::string pages;
    for (const auto& entry : fs::directory_iterator(dir.path())) pages += ReadFile(entry.path());
    EXPECT_NE(pages.find(row[2]), std::string::npos) << row[0] << row[1] << ": " << row[2];
  }
}

// With ExpressHiDpi on, each thumbnail on the index page and on b's picture page
// offers its double when there is one and loads lazily; off, nothing of it.
TEST(HiDpiPagesTest, EveryThumbnailImageOffersItsDoubleAndLoadsLazily) {
  const std::string on =
      R"(<img src="thumbs/a_tn.jpg" srcset="thumbs/a_tn@2x.jpg 2x" loading="lazy" border=1>
<img src="thumbs/b_tn.jpg" loading="lazy" border=1>
<img src="thumbs/c d,e_tn.jpg" srcset="thumbs/c%20d%2Ce_tn@2x.jpg 2x" loading="lazy" border=1>
<img src="thumbs/a_tn.jpg" srcset="thumbs/a_tn@2x.jpg 2x" loading="lazy" border=0>
<img src="thumbs/c d,e_tn.jpg" srcset="thumbs/c%20d%2Ce_tn@2x.jpg 2x" loading="lazy" border=0>
<img src="b.png" border=0>
)";
  for (const char* hidpi : {"1", "0", "yes"}) {
    TempFolder dir;
    fs::create_directory(dir.Path("thumbs"));
    for (const char* made : {"a_tn@2x.jpg", "c d,e_tn@2x.jpg"})
      dir.Write(std::string("thumbs/") + made, "");
    ASSERT_TRUE(Write(dir.path(), {{"a.jpg", 1}, {"b.png", 2}, {"c d,e.gif", 3}},
                      "ExpressSepPage=1", nullptr, hidpi));
    std::string pages = dir.Read("page1.html") + dir.Read("b.html"), found;
    std::regex img("<img [^>]*>"), doubles(R"( srcset="[^"]*"| loading="lazy")");
    for (std::sregex_iterator it(pages.begin(), pages.end(), img), end; it != end; ++it)
      found += it->str() + "\n";
    EXPECT_EQ(found, hidpi == std::string("1") ? on : std::regex_replace(on, doubles, "")) << hidpi;
  }
}

}  // namespace
