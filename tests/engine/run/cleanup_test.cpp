// The clean-up deletes only the program's own thumbnails: folders full of the
// user's look-alike files stay whole.
#include "run/cleanup.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/run/fake_host.h"
#include "pictures/jpeg_io.h"

namespace fs = std::filesystem;

namespace {

// A file that carries the thumbnail mark, as every thumbnail the program
// writes does.
std::string Marked() {
  return std::string("\xFF\xD8\xFF\xFE\x00", 5) + static_cast<char>(kThumbnailMark.size() + 2) +
         std::string(kThumbnailMark) + "\xFF\xD9";
}

// The user's own JPEG: the same head with another comment.
std::string Unmarked() {
  return "\xFF\xD8\xFF\xFE" + std::string("\x00\x07", 2) + "holiday\xFF\xD9";
}

constexpr char kQuestion[] =
    "It appears that the source files for\r\nthe following thumbnails do not exist.\r\n"
    "Do you wish to delete them?\r\n---------------------------\r\n";

class CleanupTest : public RunFixture {
 protected:
  CleanupTest() { host_.answer = true; }
};

TEST_F(CleanupTest, AsksAndDeletesOnlyOrphansStillOrphaned) {
  std::string pics = Dir("pics"), thumbs = Dir("pics/thumbs");
  for (const char* name : {"Beach_tn.jpg", "Sea_tn.jpg", "Sky_tn.jpg", "Lake_tn.jpg"})
    WriteFile(thumbs + "/" + name, Marked());
  WriteFile(thumbs + "/notes.jpg", Marked());  // no mark in its name
  WriteFile(pics + "/beach.GIF", "");          // any letter case keeps the thumbnail
  host_.while_asked = [&] {
    WriteFile(pics + "/Sky.bmp", "");              // restored while asked
    WriteFile(thumbs + "/Lake_tn.jpg", "mine");    // the user's own file put in its place
    WriteFile(thumbs + "/Late_tn.jpg", Marked());  // never shown, so never deleted
  };
  CleanOrphanThumbs(thumbs, pics, ThumbNaming(), &host_);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0], kQuestion + thumbs + "/Lake_tn.jpg\r\n" + thumbs +
                                    "/Sea_tn.jpg\r\n" + thumbs + "/Sky_tn.jpg\r\n");
  for (const char* kept : {"Beach_tn.jpg", "Sky_tn.jpg", "Lake_tn.jpg", "notes.jpg", "Late_tn.jpg"})
    EXPECT_TRUE(Exists(thumbs + "/" + kept)) << kept;
  EXPECT_FALSE(Exists(thumbs + "/Sea_tn.jpg"));
}

// Pictures of the user's that are named like thumbnails, beside the pictures
// or in the thumbnail folder, are never taken for orphans, whatever the naming.
TEST_F(CleanupTest, LookAlikePicturesAreNeverListed) {
  std::string pics = Dir("pics"), thumbs = Dir("pics/thumbs");
  for (const char* name : {"sat_tnight.jpg", "lonely_tn.jpg", "autumn_tn_walk.jpg", "_tnx.jpg"}) {
    WriteFile(pics + "/" + name, Unmarked());
    WriteFile(thumbs + "/" + name, "not even a JPEG");
  }
  fs::create_symlink(pics + "/lonely_tn.jpg", thumbs + "/link_tn.jpg");
  const ThumbNaming namings[] = {{"_tn", false, false, false},
                                 {"_tn", true, false, false},
                                 {"_tn", false, true, false},
                                 {"", false, true, false}};
  for (const ThumbNaming& naming : namings) {
    const std::string& folder = naming.store_in_sub ? thumbs : pics;
    EXPECT_EQ(FindOrphanThumbs(folder, pics, naming), std::vector<std::string>{})
        << naming.affix << naming.before << naming.store_in_sub;
    CleanOrphanThumbs(folder, pics, naming, &host_);
  }
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_EQ(fs::file_size(pics + "/lonely_tn.jpg"), Unmarked().size());
}

// A thumbnail folder that is a link leads to files that are not the
// gallery's own, even when another gallery's thumbnails are among them.
TEST_F(CleanupTest, ThumbnailFolderThatIsALinkIsNeverCleaned) {
  std::string pics = Dir("pics"), elsewhere = Dir("elsewhere");
  WriteFile(elsewhere + "/holiday_tn.jpg", Marked());
  fs::create_directory_symlink(elsewhere, pics + "/thumbs");
  EXPECT_TRUE(FindOrphanThumbs(pics + "/thumbs", pics, ThumbNaming()).empty());
  CleanOrphanThumbs(pics + "/thumbs", pics, ThumbNaming(), &host_);
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_TRUE(Exists(elsewhere + "/holiday_tn.jpg"));
}

TEST_F(CleanupTest, NamesCannotForgeLinesOfTheQuestion) {
  std::string pics = Dir("pics"), thumbs = Dir("pics/thumbs");
  std::string forged = "x\r\n(nothing else will be deleted)\t\x1B[2J_tn.jpg";
  WriteFile(thumbs + "/" + forged, Marked());
  host_.answer = false;
  CleanOrphanThumbs(thumbs, pics, ThumbNaming(), &host_);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0],
            kQuestion + thumbs + "/x\\r\\n(nothing else will be deleted)\\t\\x1B[2J_tn.jpg\r\n");
  EXPECT_TRUE(Exists(thumbs + "/" + forged));
}

// A whole run over pictures named like thumbnails and a Latin-1 name:
// thumbnails are made and kept, only a real orphan goes.
TEST_F(CleanupTest, RunsKeepTheUsersPicturesAndNamesThatAreNotUtf8) {
  std::string pics = Dir("pics");
  for (const char* name : {"caf\xE9.jpg", "sat_tnight.jpg", "lonely_tn.jpg", "gone.jpg"})
    Small(pics + "/" + name);
  AdvancedSettings beside;
  beside.StoreInSub = "0";
  beside.CleanHouse = "1";
  ExpressSettings express;
  express.ExpressCleanHouse = "1";
  for (bool advanced : {true, false})
    for (int run = 0; run < 2; ++run) Run(advanced, Input({pics}), beside, express);
  EXPECT_TRUE(host_.questions.empty());
  for (const char* made : {"caf\xE9_tn.jpg", "gone_tn.jpg", "thumbs/caf\xE9_tn.jpg"})
    EXPECT_TRUE(Exists(pics + "/" + made)) << made;
  fs::remove(pics + "/gone.jpg");
  Run(true, Input({pics}), beside, express);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0], kQuestion + pics + "/gone_tn.jpg\r\n");
  for (const char* kept : {"sat_tnight.jpg", "lonely_tn.jpg", "caf\xE9.jpg", "caf\xE9_tn.jpg"})
    EXPECT_TRUE(Exists(pics + "/" + kept)) << kept;
  EXPECT_FALSE(Exists(pics + "/gone_tn.jpg"));
}

TEST(ThumbnailMarkTest, OnlyTheExactCommentBeforeTheFirstScanCounts) {
  const std::string mark(kThumbnailMark);
  const std::string app0 = std::string("\xFF\xE0\x00\x04", 4) + "xy";
  const struct {
    const char* what;
    std::string bytes;
    bool marked;
  } cases[] = {
      {"after SOI", Marked(), true},
      {"after an APP0", "\xFF\xD8" + app0 + Marked().substr(2), true},
      {"a longer comment", "\xFF\xD8\xFF\xFE" + std::string("\x00\x12", 2) + mark + "!", false},
      {"after the scan", "\xFF\xD8\xFF\xDA" + Marked().substr(2), false},
      {"no JPEG", "GIF89a" + Marked(), false},
      {"cut short", Marked().substr(0, 12), false},
      {"empty", "", false},
  };
  TempFolder temp;
  for (const auto& c : cases) {
    WriteFile(temp.Path("t.jpg"), c.bytes);
    int fd = open(temp.Path("t.jpg").c_str(), O_RDONLY);
    EXPECT_EQ(HasThumbnailMark(fd), c.marked) << c.what;
    close(fd);
  }
}

}  // namespace
