#include "pages/photo_tags.h"

#include <gtest/gtest.h>

namespace {

// A caption is written for where it lands, as names are; the date as DateFormat says.
TEST(PhotoTagsTest, FactsAreWrittenForWhereTheyLand) {
  PhotoFacts facts;
  facts.caption = "Tom & \"Jerry\" <3 'n' caf\xE9 50%";
  facts.date_taken = "2021-07-04 18:05:09";
  AdvancedSettings s;
  s.DateFormat = "%A %e %B %Y, %I:%M:%S %p (%a %b %y, day %j) %% %Q";
  EXPECT_EQ(FillFactTags("<a href=\"[CAPTION]\" title='[CAPTION]' onclick=\"f('[CAPTION]')\">"
                         "[CAPTION]</a><a href=\"javascript:show('[CAPTION]')\">[DATE TAKEN]"
                         "[CAMERA]</a>",
                         facts, s),
            "<a href=\"Tom &amp; &quot;Jerry&quot; &lt;3 %27n%27 caf%E9 50%25\" "
            "title='Tom &amp; &quot;Jerry&quot; &lt;3 &#39;n&#39; caf\xEF\xBF\xBD 50%' "
            "onclick=\"f('Tom &amp; &quot;Jerry&quot; &lt;3 %27n%27 caf%E9 50%25')\">"
            "Tom &amp; &quot;Jerry&quot; &lt;3 'n' caf\xEF\xBF\xBD 50%</a>"
            "<a href=\"javascript:show('Tom &amp; &quot;Jerry&quot; &lt;3 %2527n%2527 caf%25E9 "
            "50%2525')\">Sunday  4 July 2021, 06:05:09 PM (Sun Jul 21, day 185) % %Q</a>");
  EXPECT_EQ(FormatDateTaken("2000-01-01 00:00:00", "%d.%m.%Y %H:%M %I%p %"),
            "01.01.2000 00:00 12AM %");
}

}  // namespace
