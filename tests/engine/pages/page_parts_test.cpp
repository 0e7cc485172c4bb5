// The small parts of every page: names in HTML, titles from file names;
// writing pages and reading the user's files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "pages/html_text.h"
#include "pages/page_output.h"
#include "pages/titles.h"
#include "settings/record_fields.h"
#include "settings/text.h"
#include "table_rows.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Other names are in the link tests of both modes and in the golden pages.
// Each row: the code, it filled with the name "it's #1.jpg".
TEST(HtmlTextTest, TagsAreFilledForWhereTheyLand) {
  for (const auto& row : Rows(R"-([N]|it's #1.jpg
<a href="[N]">[N]</a>|<a href="it%27s %231.jpg">it's #1.jpg</a>
<A HREF='[N]'>|<A HREF='it%27s %231.jpg'>
<img src=[N] alt=[N]>|<img src=it%27s %231.jpg alt=it&#39;s #1.jpg>
<a href="JavaScript:ShowPic('[N]');">|<a href="JavaScript:ShowPic('it%2527s %25231.jpg');">
<a href=" java Script :x('[N]')">|<a href=" java Script :x('it%2527s %25231.jpg')">
<img onclick="go('[N]')" title="[N]">|<img onclick="go('it%27s %231.jpg')" title="it&#39;s #1.jpg">
<td background="[N]">|<td background="it%27s %231.jpg">
<!-- <a href="[N]"> -->[N]|<!-- <a href="it's #1.jpg"> -->it's #1.jpg
a < b [N] <3 [N]|a < b it's #1.jpg <3 it's #1.jpg
<a title="x>y" href=[N]>|<a title="x>y" href=it%27s %231.jpg>
<a href=x [N]>|<a href=x it&#39;s #1.jpg>)-"))
    EXPECT_EQ(FillNameTag(row[0], "[N]", "it's #1.jpg"), row[1]) << row[0];
  EXPECT_EQ(FillNameTag("<a\nhref\n=\n\"[N]\">", "[N]", "it's #1.jpg"),
            "<a\nhref\n=\n\"it%27s %231.jpg\">");
}

TEST(TitlesTest, GuessTitleByPattern) {
  // The walk stays on a capital it has just spaced out: later ones are not reached.
  for (const auto& row : Rows(R"-(John_Smith.jpg|0|JohnSmith
aéAé.jpg|1|aé Aé
xY zA.png|1|xY z A.png
Anna_Maria_2004.jpg|2|Anna Maria
Room101a9.jpg|2|Rooma
a   b.gif|0|a b
John Smith.jpg|3|
JohnSmithAdams.jpg|1|John SmithAdams)-"))
    EXPECT_EQ(GuessTitle(row[0], std::stoi(row[1])), row[2]) << row[0];
}

TEST(TitlesTest, ShortenNameCutsWhereAsked) {
  // Each row: name, maximum, place, replacement, the name shortened (! for
  // PageError). The middle takes ten from each end, then trims until the
  // maximum of letters without blanks remains.
  for (const auto& row : Rows(R"-(Summer holidays at the lake.jpg|20|2|...|Summer holidays a...
Summer holidays at the lake.jpg|20|0|...|...s at the lake.jpg
Summer holidays at the lake.jpg|20|7|...|Summer holidays at the lake.jpg
Summer holidays at the lake.jpg|2|2|...|!
Summer holidays at the lake.jpg|20|1|...|Summer ho... lake.jpg
abcdefghij|6|1|..|ab..ij
ab cd ef gh|6|1| |ab   gh
abcdefghijklmnop|6|1|<<<<<|<<<<<)-")) {
    AdvancedSettings s;
    s.FNameMaxLet = row[1];
    s.FNameReplaceLoc = row[2];
    s.FNameReplaceStr = row[3];
    if (row[4] == "!")
      EXPECT_THROW(ShortenName(row[0], s), PageError) << row[1];
    else
      EXPECT_EQ(ShortenName(row[0], s), row[4]) << row[0] << " " << row[1] << " " << row[2];
  }
}

ino_t Inode(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(WritePageTest, AnUnchangedPageIsLeftAsItIsAChangedOneOrALinkReplacedWhole) {
  TempFolder temp;
  std::string page = temp.Path("page1.html"), error;
  ASSERT_TRUE(WritePage(page, "one", &error)) << error;
  ino_t first = Inode(page);
  ASSERT_TRUE(WritePage(page, "one", &error));
  EXPECT_EQ(Inode(page), first);  // not even touched
  ASSERT_TRUE(WritePage(page, "two", &error));
  EXPECT_NE(Inode(page), first);  // a new file renamed into place
  EXPECT_EQ(temp.Read("page1.html"), "two");
  fs::create_hard_link(page, temp.Path("kept.html"));  // still holds the old page whole
  ASSERT_TRUE(WritePage(page, "three", &error));
  EXPECT_EQ(temp.Read("kept.html"), "two");
  EXPECT_EQ(temp.Count(), 2u);                                         // no temporary file left
  fs::create_symlink(temp.Path("kept.html"), temp.Path("link.html"));  // replaced, same text
  ASSERT_TRUE(WritePage(temp.Path("link.html"), "two", &error));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(temp.Path("link.html"))));
  EXPECT_EQ(ReadFile(page) + temp.Read("kept.html") + temp.Read("link.html"), "threetwotwo");
}

TEST(ReadUserFileTest, MissingRefusedOrReadWithoutItsByteOrderMark) {
  TempFolder temp;
  temp.Write("head.txt", std::string(kUtf8Bom) + "<H>" + std::string(kUtf8Bom));
  fs::create_directory(temp.Path("folder"));
  fs::resize_file((temp.Write("huge.txt", ""), temp.Path("huge.txt")), 16 * 1024 * 1024 + 1);
  fs::create_symlink(temp.Path("nothing"), temp.Path("dangling"));
  std::string read;  // found or not, the text, the problem of each
  for (const char* name : {"head.txt", "none.txt", "dangling", "folder", "huge.txt"}) {
    UserFile file = ReadUserFile(temp.Path(name));
    read += std::to_string(file.found) + "|" + file.text + "|" + file.problem + "\n";
  }
  EXPECT_EQ(read, "1|<H>\xEF\xBB\xBF|\n0||\n0||\n1||" + temp.Path("folder") +
                      ": is not a regular file; left out of the pages\n1||" +
                      temp.Path("huge.txt") + ": is larger than 16 MB; left out of the pages\n");
}

}  // namespace
