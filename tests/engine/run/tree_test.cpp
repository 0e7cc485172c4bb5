// Whole photo trees: which folders become galleries, and the page at the top
// of the tree that never takes the place of a page of the user's own.
#include "run/tree.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/run/fake_host.h"
#include "pages/tree_index.h"
#include "settings/text.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

class TreeTest : public RunFixture {
 protected:
  // Makes `path` (folders on the way too) below the top of the tree: a copy
  // of tests/data/`fixture`, else a file of one letter.
  void File(const std::string& path, const std::string& fixture = "") {
    fs::create_directories(fs::path(top_ + "/" + path).parent_path());
    fixture.empty() ? WriteFile(top_ + "/" + path, "x") : Copy(fixture, top_ + "/" + path);
  }
  Names Relative(const Names& folders) const {
    Names relative;
    for (const std::string& folder : folders)
      relative.push_back(folder == top_ ? "." : folder.substr(top_.size() + 1));
    return relative;
  }

  std::string top_ = temp_.Path("Pictures");
  TreeRules express_ = RunTreeRules(false, AdvancedSettings(), {});
};

TEST_F(TreeTest, TheTopThenEachFolderHoldingPicturesInTheListsOrder) {
  File("zoo/a.jpg");
  File("Beach/2024/b.GIF");
  File("beach/c.bmp");
  File("alps/empty/.keep");
  File("alps/x_tn.jpg");  // a thumbnail among pictures is no picture
  File("alps/notes.txt");
  File("alps/deep/d.jpeg");
  File(".hidden/e.jpg");        // hidden: not entered
  File("zoo/thumbs/f_tn.jpg");  // the run's thumbnail folder: not entered
  File("zoo/thumbs/more/g.jpg");
  File("screens/shot.png");  // not a picture unless PNG is chosen
  fs::create_directory_symlink(top_ + "/zoo", top_ + "/link");  // not followed
  fs::create_symlink(top_ + "/zoo/a.jpg", top_ + "/alps/deep/linked.jpg");
  EXPECT_EQ(Relative(PictureTree(top_, express_)),
            (Names{".", "alps/deep", "Beach/2024", "beach", "zoo"}));

  ExtraFormats png;
  png.Add(ExtraFormat::kPng);
  Names with_png = PictureTree(top_ + "/", RunTreeRules(false, AdvancedSettings(), png));
  EXPECT_EQ(with_png.front(), top_ + "/");  // the top as given, the others without "//"
  EXPECT_EQ(Relative({with_png.begin() + 1, with_png.end()}),
            (Names{"alps/deep", "Beach/2024", "beach", "screens", "zoo"}));
  EXPECT_EQ(PictureTree(top_ + "/missing", express_), Names{top_ + "/missing"});
}

TEST_F(TreeTest, AdvancedSettingsNameTheThumbnailFolderAndTheAffix) {
  File("thumbs/a.jpg");
  File("small/b_tn.jpg");
  File("small/c.jpg");
  File("other/x_tn.jpg");
  AdvancedSettings settings;
  settings.SubFolderName = "small";
  EXPECT_EQ(Relative(PictureTree(top_, RunTreeRules(true, settings, {}))), (Names{".", "thumbs"}));
  settings.ThumbExt = "tn_";  // now "x_tn.jpg" is a picture
  settings.StoreInSub = "0";  // no thumbnail folder: "small" is a gallery like any other
  EXPECT_EQ(Relative(PictureTree(top_, RunTreeRules(true, settings, {}))),
            (Names{".", "other", "small", "thumbs"}));
}

TEST_F(TreeTest, TheIndexLeadsToEachGalleryAndShowsItsFirstThumbnail) {
  File("b.jpg", "pictures/small.jpg");
  File("2024/Caf\xC3\xA9 & co/x #1.jpg", "pictures/small.jpg");
  File("2024/Caf\xC3\xA9 & co/#1.gif", "pictures/small.gif");
  File("2024/empty/notes.txt");
  Names folders = PictureTree(top_, express_);
  Run(false, Input(folders));
  std::string warning;
  ASSERT_TRUE(MakeTreeIndex(top_, folders, false, AdvancedSettings(), {}, &warning)) << warning;
  EXPECT_EQ(temp_.Read("Pictures/index.html"),
            std::string(kUtf8Bom) +
                "<!-- KESTO tree index -->\r\n"
                "<HTML><HEAD><TITLE>Pictures</TITLE></HEAD>\r\n"
                "<BODY bgcolor=#000000 text=#FFFFFF link=#FFFFFF vlink=#C0C0C0 alink=#FFFFFF>\r\n"
                "<div align=\"center\"><br><font size=5><B>Pictures</B></font><br><br>\r\n"
                "<TABLE cellpadding=7 cellspacing=0 border=0>\r\n"
                "<TR>\r\n"
                "<TD align=center valign=bottom><a href=\"page1.html\"><img "
                "src=\"thumbs/b_tn.jpg\" border=1><br>Pictures</a><br><br></TD>\r\n"
                "<TD align=center valign=bottom><a href=\"2024/Caf\xC3\xA9 &amp; co/page1.html\">"
                "<img src=\"2024/Caf\xC3\xA9 &amp; co/thumbs/%231_tn.jpg\" border=1><br>2024/"
                "Caf\xC3\xA9 &amp; co</a><br><br></TD>\r\n"
                "</TR>\r\n"
                "</TABLE></div></BODY></HTML>\r\n");
}

TEST_F(TreeTest, AdvancedGalleriesStartAtThePageStartAtNumbers) {
  File("2024/b.jpg", "pictures/small.jpg");
  AdvancedSettings settings;
  settings.PageFileName = "gallery";
  settings.StartAt = "3";
  settings.Units = "2";
  settings.ThumbExt = "";
  settings.SubFolderName = "mini";
  Names folders = PictureTree(top_, RunTreeRules(true, settings, {}));
  Run(true, Input(folders), settings);
  std::string warning;
  ASSERT_TRUE(MakeTreeIndex(top_, folders, true, settings, {}, &warning)) << warning;
  EXPECT_NE(temp_.Read("Pictures/index.html")
                .find("<a href=\"2024/gallery03.html\"><img src=\"2024/mini/b.jpg\" border=1>"),
            std::string::npos);
}

TEST_F(TreeTest, APageOfTheUsersOwnIsNeverReplaced) {
  File("a.jpg", "pictures/small.jpg");
  Names folders = PictureTree(top_, express_);
  std::string index = top_ + "/index.html", warning;
  EXPECT_FALSE(MakeTreeIndex(top_, folders, false, AdvancedSettings(), {}, &warning));
  EXPECT_EQ(warning, top_ + ": the tree holds no gallery; no tree index is written");
  Run(false, Input(folders));
  ASSERT_TRUE(MakeTreeIndex(top_, folders, false, AdvancedSettings(), {}, &warning));
  EXPECT_TRUE(IsOwnTreeIndex(index));
  ASSERT_TRUE(MakeTreeIndex(top_, folders, false, AdvancedSettings(), {}, &warning));  // again

  WriteFile(index, "<html>my own start page</html>");
  EXPECT_FALSE(MakeTreeIndex(top_, folders, false, AdvancedSettings(), {}, &warning));
  EXPECT_EQ(warning, index + " is not a tree index the program wrote; it is left as it is");
  EXPECT_EQ(ReadFile(index), "<html>my own start page</html>");

  // Not even a link to a tree index of the program's own is replaced.
  fs::rename(index, top_ + "/mine.html");
  ASSERT_TRUE(MakeTreeIndex(top_, folders, false, AdvancedSettings(), {}, &warning));
  fs::rename(index, top_ + "/own.html");
  fs::create_symlink(top_ + "/own.html", index);
  EXPECT_FALSE(MakeTreeIndex(top_, folders, false, AdvancedSettings(), {}, &warning));
  EXPECT_TRUE(fs::is_symlink(index));
}

}  // namespace
