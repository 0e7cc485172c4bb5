#include "settings/dir_list.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

using List = std::vector<std::string>;

TEST(DirListTest, FieldsEndAtLineEndsAndCommas) {
  struct Case {
    const char* text;
    List dirs;
  } cases[] = {
      {"/a\r\n/b c\r\n", {"/a", "/b c"}},
      {"\xEF\xBB\xBF/a\r\n", {"/a"}},
      {"   \xEF\xBB\xBF\r\n/b", {"/b"}},  // a mark and nothing else is no entry
      {"/a\n\n  \r\n/b", {"/a", "/b"}},
      {"/a,b/\r\n", {"/a", "b/"}},
      {" /a , ,/b ,\r", {"/a", "/b"}},
      {"\t/a\t", {"\t/a\t"}},  // only blanks are trimmed
      {"", {}},
      {",,\r\n\r\n", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDirList(c.text), c.dirs) << c.text;
}

TEST(DirListTest, SaveWritesOneLinePerEntry) {
  TempFolder dir;
  List dirs = {"/home/a/pics", "/b c/é", "/x"}, loaded = {"old"};
  std::string err;
  ASSERT_TRUE(SaveDirList(dir.Path("l.dir"), dirs, &err)) << err;
  EXPECT_EQ(dir.Read("l.dir"), "/home/a/pics\r\n/b c/é\r\n/x\r\n");
  ASSERT_TRUE(LoadDirList(dir.Path("l.dir"), &loaded, &err)) << err;
  EXPECT_EQ(loaded, dirs);
  ASSERT_TRUE(SaveDirList(dir.Path("l.dir"), {}, &err)) << err;
  EXPECT_EQ(dir.Read("l.dir"), "");
  EXPECT_FALSE(LoadDirList(dir.Path("none.dir"), &loaded, &err));
  EXPECT_EQ(err, dir.Path("none.dir") + ": cannot be opened (No such file or directory)");
  EXPECT_EQ(loaded, dirs);
}
