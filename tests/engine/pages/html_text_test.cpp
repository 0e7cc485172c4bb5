#include "pages/html_text.h"

#include <gtest/gtest.h>

#include "settings/text.h"

namespace {

TEST(HtmlTextTest, EachFormForItsPlace) {
  const struct {
    std::string name, text, url, javascript;
  } cases[] = {
      {"Summer 2024-07_x.jpg", "Summer 2024-07_x.jpg", "Summer 2024-07_x.jpg",
       "Summer 2024-07_x.jpg"},
      {"Caf\xC3\xA9.jpg", "Caf\xC3\xA9.jpg", "Caf\xC3\xA9.jpg", "Caf\xC3\xA9.jpg"},
      {"caf\xE9.jpg", "caf\xEF\xBF\xBD.jpg", "caf%E9.jpg", "caf%25E9.jpg"},
      {"a#b?c%41\\d.jpg", "a#b?c%41\\d.jpg", "a%23b%3Fc%2541%5Cd.jpg",
       "a%2523b%253Fc%252541%255Cd.jpg"},
      {"O'Brien.jpg", "O'Brien.jpg", "O%27Brien.jpg", "O%2527Brien.jpg"},
      {"Tom & \"J\" <x>.jpg", "Tom &amp; &quot;J&quot; &lt;x&gt;.jpg",
       "Tom &amp; &quot;J&quot; &lt;x&gt;.jpg", "Tom &amp; &quot;J&quot; &lt;x&gt;.jpg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HtmlText(c.name), c.text) << c.name;
    EXPECT_EQ(HtmlUrl(c.name), c.url) << c.name;
    EXPECT_EQ(JavaScriptUrl(c.name), c.javascript) << c.name;
  }
}

TEST(HtmlTextTest, TagsAreFilledForWhereTheyLand) {
  const std::string name = "it's #1.jpg";
  const struct {
    const char* code;
    const char* filled;
  } cases[] = {
      {"[N]", "it's #1.jpg"},
      {"<a href=\"[N]\">[N]</a>", "<a href=\"it%27s %231.jpg\">it's #1.jpg</a>"},
      {"<A HREF='[N]'>", "<A HREF='it%27s %231.jpg'>"},
      {"<img src=[N] alt=[N]>", "<img src=it%27s %231.jpg alt=it&#39;s #1.jpg>"},
      {"<a href=\"JavaScript:ShowPic('[N]');\">",
       "<a href=\"JavaScript:ShowPic('it%2527s %25231.jpg');\">"},
      {"<a href=\" java Script :x('[N]')\">",
       "<a href=\" java Script :x('it%2527s %25231.jpg')\">"},
      {"<img onclick=\"go('[N]')\" title=\"[N]\">",
       "<img onclick=\"go('it%27s %231.jpg')\" title=\"it&#39;s #1.jpg\">"},
      {"<td background=\"[N]\"><form action=[N]>",
       "<td background=\"it%27s %231.jpg\"><form action=it%27s %231.jpg>"},
      {"<!-- <a href=\"[N]\"> -->[N]", "<!-- <a href=\"it's #1.jpg\"> -->it's #1.jpg"},
      {"a < b [N] <3 [N]", "a < b it's #1.jpg <3 it's #1.jpg"},
      {"<a title=\"x>y\" href=[N]>", "<a title=\"x>y\" href=it%27s %231.jpg>"},
      {"<a href=x [N]>", "<a href=x it&#39;s #1.jpg>"},
      {"<a\nhref\n=\n\"[N]\">", "<a\nhref\n=\n\"it%27s %231.jpg\">"},
  };
  for (const auto& c : cases) EXPECT_EQ(FillNameTag(c.code, "[N]", name), c.filled) << c.code;
  const std::string plain = "Forest_Path 2004-a.JPEG";  // comes out as it is
  for (const char* code : {"[N]", "<a href=\"[N]\">", "<a href=\"javascript:f('[N]')\">",
                           "<img alt='[N]' onload=[N]>"})
    EXPECT_EQ(FillNameTag(code, "[N]", plain), ReplaceAll(code, "[N]", plain)) << code;
}

}  // namespace
