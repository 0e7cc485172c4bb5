#include "pages/page_output.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

ino_t Inode(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(WritePageTest, AnUnchangedPageIsLeftAsItIsAndAChangedOneReplacedWhole) {
  TempFolder temp;
  std::string page = temp.Path("page1.html"), error;
  ASSERT_TRUE(WritePage(page, "one", &error)) << error;
  ino_t first = Inode(page);
  ASSERT_TRUE(WritePage(page, "one", &error));
  EXPECT_EQ(Inode(page), first);  // not even touched
  ASSERT_TRUE(WritePage(page, "two", &error));
  EXPECT_NE(Inode(page), first);  // a new file renamed into place
  EXPECT_EQ(temp.Read("page1.html"), "two");
  // Another name for the old page still holds its whole text.
  fs::create_hard_link(page, temp.Path("kept.html"));
  ASSERT_TRUE(WritePage(page, "three", &error));
  EXPECT_EQ(temp.Read("kept.html"), "two");
  EXPECT_EQ(temp.Count(), 2u);  // no temporary file left
}

TEST(WritePageTest, ALinkIsReplacedEvenWhenItLeadsToTheSameText) {
  TempFolder temp;
  temp.Write("elsewhere.html", "same");
  fs::create_symlink(temp.Path("elsewhere.html"), temp.Path("page.html"));
  std::string error;
  ASSERT_TRUE(WritePage(temp.Path("page.html"), "same", &error));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(temp.Path("page.html"))));
  fs::remove(temp.Path("elsewhere.html"));
  EXPECT_EQ(temp.Read("page.html"), "same");
}

TEST(WritePageTest, AFailureNamesThePage) {
  TempFolder temp;
  std::string error;
  EXPECT_FALSE(WritePage(temp.Path("gone/page.html"), "x", &error));
  EXPECT_EQ(error, temp.Path("gone/page.html") + ": cannot be written (No such file or directory)");
}

TEST(ReadUserFileTest, MissingRefusedOrReadWithoutItsByteOrderMark) {
  TempFolder temp;
  temp.Write("head.txt", std::string(kUtf8Bom) + "<H>" + std::string(kUtf8Bom));
  fs::create_directory(temp.Path("folder"));
  fs::resize_file((temp.Write("huge.txt", ""), temp.Path("huge.txt")), 16 * 1024 * 1024 + 1);
  fs::create_symlink(temp.Path("nothing"), temp.Path("dangling"));
  const struct {
    const char* name;
    bool found;
    const char* text;
    std::string problem;
  } cases[] = {
      {"head.txt", true, "<H>\xEF\xBB\xBF", ""},
      {"none.txt", false, "", ""},
      {"dangling", false, "", ""},
      {"folder", true, "", temp.Path("folder") + ": is not a regular file; left out of the pages"},
      {"huge.txt", true, "",
       temp.Path("huge.txt") + ": is larger than 16 MB; left out of the pages"},
  };
  for (const auto& c : cases) {
    UserFile file = ReadUserFile(temp.Path(c.name));
    EXPECT_EQ(file.found, c.found) << c.name;
    EXPECT_EQ(file.text, c.text) << c.name;
    EXPECT_EQ(file.problem, c.problem) << c.name;
  }
}

}  // namespace
