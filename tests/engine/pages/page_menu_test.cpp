#include "pages/page_menu.h"

#include <gtest/gtest.h>

#include "settings/record_fields.h"

namespace {

AdvancedSettings MenuCodes(const std::string& changes = "") {
  AdvancedSettings s;
  Assign(kAdvancedFields,
         "PageFileName=p\nUnits=1\nCodeBeforeMenu=<M [CURRENT PAGE NUMBER]>[PREVIOUS LINK]\n"
         "CodeAfterMenu=[NEXT LINK]</M [CURRENT PAGE NUMBER]>\n"
         "MenuCode=<TD><a href=[PAGE FILE NAME]>[PAGE NUMBER]</a></TD>\n"
         "LinkInact=<TD>([PAGE NUMBER] [PAGE FILE NAME])</TD>\n"
         "Prev=<a href=[PREVIOUS PAGE]>prev</a>\nNext=<a href=[NEXT PAGE]>next</a>\n"
         "UseLinkInact=0\nInactAuto=0\n" +
             changes,
         &s);
  return s;
}

std::string Menu(const AdvancedSettings& s, int pages, int page) {
  PageText out;
  WritePageMenu(BuildPageMenu(pages, 1, s), page, s, &out);
  return out.text;
}

TEST(PageMenuTest, InactivationTakesOutTheFirstLink) {
  const struct {
    const char* entry;
    const char* inactive;
  } cases[] = {
      {"<TD><a href=index2.html>2</a></TD>", "<TD>2</TD>"},
      {"<TD><A HREF=p2.html>2</A></TD>", "<TD>2</TD>"},
      {"<a href=\"p.html\">1</ A ><br>", "1<br>"},
      {"x<a href=p>1< / a >< /a></a >", "x1"},
      // The right part starts at the second character after HREF, so a
      // bare HREF loses the character after its tag's end as well.
      {"<TD><a href>2</a></TD>", "<TD></TD>"},
      {"href=p.html>3</a>", "3"},          // no "<" before: the left part stays
      {"<b><a href=p.html", "<b>p.html"},  // no ">" after: the right part stays
      {"<TD>2</TD>", "<TD>2</TD>"},        // no link
      {"<a hre=x>1</a>", "<a hre=x>1</a>"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(InactivateEntry(c.entry), c.inactive) << c.entry;
}

TEST(PageMenuTest, CurrentEntryByInactivationSettings) {
  const struct {
    const char* use_link_inact;
    const char* inact_auto;
    const char* current;
  } cases[] = {
      {"0", "0", "<TD><a href=p2.html>2</a></TD>"},
      {"1", "0", "<TD>(2 p2.html)</TD>"},
      {"0", "1", "<TD>2</TD>"},
      {"1", "1", "<TD>2</TD>"},  // both on: the normal entry without its link
  };
  for (const auto& c : cases) {
    AdvancedSettings s =
        MenuCodes(std::string("UseLinkInact=") + c.use_link_inact + "\nInactAuto=" + c.inact_auto);
    EXPECT_EQ(Menu(s, 3, 2),
              "<M 2><a href=p1.html>prev</a>\r\n"
              "<TD><a href=p1.html>1</a></TD>\r\n" +
                  std::string(c.current) +
                  "\r\n"
                  "<TD><a href=p3.html>3</a></TD>\r\n"
                  "<a href=p3.html>next</a></M 2>\r\n")
        << c.use_link_inact << c.inact_auto;
  }
}

TEST(PageMenuTest, BreaksFollowEveryNthEntryButNotTheLast) {
  AdvancedSettings s = MenuCodes(
      "MenuCode=[PAGE NUMBER]\nCodeBeforeMenu=\nCodeAfterMenu=\nBreakMenu=1\nLineBreakCode=<BR>\n"
      "BreakMenuNum=4");
  EXPECT_EQ(Menu(s, 10, 5), "\r\n1\r\n2\r\n3\r\n4<BR>\r\n5\r\n6\r\n7\r\n8<BR>\r\n9\r\n10\r\n\r\n");
  s.BreakMenuNum = "5";
  EXPECT_EQ(Menu(s, 10, 1), "\r\n1\r\n2\r\n3\r\n4\r\n5<BR>\r\n6\r\n7\r\n8\r\n9\r\n10\r\n\r\n");
  s.BreakMenuNum = "0";  // below 1: no breaking
  EXPECT_EQ(Menu(s, 3, 1), "\r\n1\r\n2\r\n3\r\n\r\n");
  s.BreakMenuNum = "1";
  s.BreakMenu = "0";
  EXPECT_EQ(Menu(s, 3, 1), "\r\n1\r\n2\r\n3\r\n\r\n");
}

TEST(PageMenuTest, EntriesShowPositionsAndLinkFileNumbers) {
  AdvancedSettings s = MenuCodes("Units=2\nNext=[PREVIOUS PAGE]>[NEXT PAGE]");
  PageText out;
  WritePageMenu(BuildPageMenu(2, 5, s), 1, s, &out);
  EXPECT_EQ(out.text,
            "<M 1>\r\n"
            "<TD><a href=p05.html>1</a></TD>\r\n"
            "<TD><a href=p06.html>2</a></TD>\r\n"
            "p04.html>p06.html</M 1>\r\n");
}

TEST(PageMenuTest, LinksBeyondSixteenBitsEndTheMenu) {
  AdvancedSettings s = MenuCodes();
  PageMenu menu = BuildPageMenu(3, 32766, s);  // the third page would be 32768
  PageText out;
  EXPECT_THROW(WritePageMenu(menu, 1, s, &out), PageError);
  EXPECT_EQ(out.text,
            "<M 1>\r\n"
            "<TD><a href=p32766.html>1</a></TD>\r\n"
            "<TD><a href=p32767.html>2</a></TD>\r\n");
}

}  // namespace
