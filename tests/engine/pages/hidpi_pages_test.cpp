// Express pages for sharp screens: with ExpressHiDpi on, every thumbnail
// image offers its double and loads lazily; off, nothing of it appears.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "pages/express_pages.h"
#include "pages/html_text.h"
#include "temp_folder.h"

namespace {

// Every <img ...> tag of the pages written for `pictures`, index page first,
// then the picture page of the second picture.
std::vector<std::string> Images(const std::vector<PictureFile>& pictures,
                                const std::string& hidpi) {
  TempFolder dir;
  ExpressSettings settings;
  settings.ExpressSepPage = "1";
  settings.ExpressHiDpi = hidpi;
  PageWarnings warnings;
  EXPECT_TRUE(WriteExpressPages(dir.path(), pictures, settings, &warnings));
  std::string pages = dir.Read("page1.html") + dir.Read(pictures[1].name.substr(0, 1) + ".html");
  std::vector<std::string> images;
  std::regex img("<img [^>]*>");
  for (auto it = std::sregex_iterator(pages.begin(), pages.end(), img);
       it != std::sregex_iterator(); ++it)
    images.push_back(it->str());
  return images;
}

TEST(HiDpiPagesTest, EveryThumbnailImageOffersItsDoubleAndLoadsLazily) {
  std::vector<PictureFile> pictures = {{"a.jpg", 1}, {"b.png", 2}, {"c d,e.gif", 3}};
  std::vector<std::string> images = Images(pictures, "1");
  ASSERT_EQ(images.size(), 6u);  // three cells; two neighbours and the picture on b's page
  EXPECT_EQ(images[0],
            "<img src=\"thumbs/a_tn.jpg\" srcset=\"thumbs/a_tn@2x.jpg 2x\" loading=\"lazy\" "
            "border=1>");
  EXPECT_EQ(images[2],
            "<img src=\"thumbs/c d,e_tn.jpg\" srcset=\"thumbs/c%20d%2Ce_tn@2x.jpg 2x\" "
            "loading=\"lazy\" border=1>");
  EXPECT_EQ(images[3],
            "<img src=\"thumbs/a_tn.jpg\" srcset=\"thumbs/a_tn@2x.jpg 2x\" loading=\"lazy\" "
            "border=0>");
  EXPECT_EQ(images[5], "<img src=\"b.png\" border=0>");  // the picture itself has no double
  for (const char* off : {"0", "yes"})
    EXPECT_EQ(Images(pictures, off)[0], "<img src=\"thumbs/a_tn.jpg\" border=1>") << off;
}

TEST(SrcsetUrlTest, WhiteSpaceAndCommasCannotEndTheAddress) {
  EXPECT_EQ(SrcsetUrl("plain_tn@2x.jpg"), "plain_tn@2x.jpg");
  EXPECT_EQ(SrcsetUrl("a b,c\td.jpg"), "a%20b%2Cc%09d.jpg");
  EXPECT_EQ(SrcsetUrl("50% #1 \"x\".jpg"), "50%25%20%231%20&quot;x&quot;.jpg");
  EXPECT_EQ(SrcsetUrl("caf\xE9 .jpg"), "caf%E9%20.jpg");
}

}  // namespace
