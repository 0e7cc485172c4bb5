#include "pages/picture_table.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureTableTest, ThumbnailsAreLeftOut) {
  AdvancedSettings s;
  std::vector<PictureFile> files = {{"a.jpg", 2047}, {"a_tn.jpg", 0}, {"b_TN.jpg", 5 << 20}};
  std::vector<PictureEntry> table = BuildPictureTable(files, s);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[1].file_name, "b_TN.jpg");  // the affix is compared with case
  EXPECT_EQ(table[1].page_name, "b_TN.html");
  EXPECT_EQ(table[1].thumb_name, "b_TN_tn.jpg");
  EXPECT_EQ(table[1].size_kb, "5120");
  s.ThumbExt = "  ";  // blank: every file is a picture
  EXPECT_EQ(BuildPictureTable(files, s).size(), 3u);
  s.ThumbExt = "";
  s.Before = true;
  EXPECT_EQ(BuildPictureTable(files, s)[1].thumb_name, "a_tn.jpg");
}

}  // namespace
