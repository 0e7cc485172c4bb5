// Runs over folders and photo trees, and the clean-up of the program's own files.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>

#include "engine/run/run_fixture.h"
#include "pages/tree_index.h"
#include "pictures/jpeg_io.h"
#include "pictures/thumbnails.h"
#include "run/cleanup.h"
#include "run/tree.h"
#include "settings/text.h"
#include "unprivileged.h"

namespace {

using namespace run_test;

TEST_F(RunTest, MissingAndUnreadableDirectoriesAreReportedAndTheOthersRun) {
  Copy(pics_ + "/a.jpg");
  Copy(pics_ + "/b.GIF", "pictures/small.gif");
  std::string missing = temp_.Path("gone") + "/", locked = Dir("locked");
  Run(false, Input({pics_ + "/", missing}));
  EXPECT_EQ(Listing(pics_ + "/thumbs"), (Names{"a_tn.jpg", "b_tn.jpg"}));
  EXPECT_EQ(Present({"pics/page1.html"}) + report_.InvalidPaths, "1" + missing + "\r\n");
  // One report; the bar: 1 + two due, then one step per thumbnail, labels for Express.
  EXPECT_EQ(std::to_string(host_.reports.size()) + host_.progress.at(0).status_label +
                std::to_string(host_.progress.at(0).maximum * 10 + host_.progress.back().value),
            "1Processing Directory 1 of 233");
  chmod(temp_.path().c_str(), 0755);
  chmod(locked.c_str(), 0);
  EXPECT_EQ(RunUnprivileged([&] {
              Run(false, Input({locked}));
              return report_.InvalidPaths;
            }),
            locked + "\r\n");
  chmod(locked.c_str(), 0700);
  EXPECT_EQ(Listing(locked), Names{});
}

// STOP once the second directory has made its first thumbnail.
TEST_F(RunTest, StopEndsTheRunWithinTheSecondDirectory) {
  std::string first = Dir("first"), second = Dir("second"), third = Dir("third");
  for (const std::string& dir : {first, second, third})
    for (int i = 0; i < 8; ++i) Copy(dir + "/p" + std::to_string(i) + ".jpg");
  host_.stop_when = [](const FakeHost& h) {
    return !h.progress.empty() && h.progress.back().dir_index == 1 && h.progress.back().value > 1;
  };
  Run(false, {{first, second, third, temp_.Path("gone")}, {}, 1, {}});  // "gone" is never reached
  EXPECT_EQ(Present({"first/thumbs/p7_tn.jpg", "first/page1.html", "second/thumbs/p0_tn.jpg",
                     "second/thumbs/p7_tn.jpg", "second/page1.html", "third/thumbs"}),
            "111000");
  EXPECT_TRUE(host_.reports.empty());
}

TEST_F(RunTest, StopDuringPagesStillServesLaterFoldersWithoutPictures) {
  std::string first = Dir("first"), empty = Dir("empty"), third = temp_.Path("third");
  Copy(first + "/a.jpg");
  Copy(third + "/c.jpg");
  temp_.Write("empty/old.htm", "x");
  host_.stop_when = [](const FakeHost& h) {
    return !h.progress.empty() && h.progress.back().value == h.progress.back().maximum;
  };
  ExpressSettings express;
  express.ExpressDelHTML = "1";
  Run(false, Input({first, empty, third}), {}, express);
  // The thumbnail folder is made before the first picture.
  EXPECT_EQ(
      Present({"first/thumbs/a_tn.jpg", "empty/old.htm", "third/thumbs", "third/thumbs/c_tn.jpg"}),
      "1010");
}

// index.HTML: the mask matches, the path holds no ".html".
TEST_F(RunTest, OldPagesGoByModeMasks) {
  for (const char* name : {"readme.js", "index.HTML", "x.shtml", "keep.txt", "a.asp", "b.c"})
    temp_.Write(std::string("pics/") + name, "x");
  DeleteOldHtml(pics_, false, &host_);
  EXPECT_EQ(Listing(pics_), (Names{"a.asp", "b.c", "index.HTML", "keep.txt", "readme.js"}));
  DeleteOldHtml(pics_, true, &host_);
  EXPECT_EQ(Listing(pics_), (Names{"index.HTML", "keep.txt"}));
}

// Settings that would harm files or fail every picture stop the run at once.
TEST_F(RunTest, SettingsThatWouldHarmFilesAreRefusedBeforeTheRun) {
  std::string pics = Dir("parent/pics");
  Copy(pics + "/photo.jpeg");
  temp_.Write("parent/photo_tn.jpg", "x");
  std::string told;
  auto refused = [&](const std::string& sub, const ThumbOptions& thumbs) {
    AdvancedSettings advanced = Advanced("ThumbExt=\nCleanHouse=1");
    advanced.SubFolderName = sub;
    told += Run(true, {{pics}, thumbs, 2, {}}, advanced).at(0) + "\n";
    EXPECT_EQ(Listing(temp_.Path("parent")), (Names{"photo_tn.jpg", "pics"})) << sub;
    EXPECT_EQ(temp_.Read("parent/photo_tn.jpg") + Listing(pics).at(0), "xphoto.jpeg");
  };
  for (const char* sub : {"", ".", "..", " .. ", "a/b"}) refused(sub, {});
  refused("thumbs", {75, "Both", "0", "120"});
  refused("thumbs", {75, "Both", "120", "40000"});
  refused("thumbs", {75, "Width", "0", "0.4"});
  EXPECT_EQ(ReplaceAll(told,
                       "\": the thumbnail folder must be one plain folder name, not empty, \".\", "
                       "\"..\" or holding \"/\"",
                       "\"!"),
            R"(SubFolderName is ""!
SubFolderName is "."!
SubFolderName is ".."!
SubFolderName is " .. "!
SubFolderName is "a/b"!
Height is "0": a thumbnail side must be from 1 to 32767 pixels
Width is "40000": a thumbnail side must be from 1 to 32767 pixels
Width is "0.4": a thumbnail side must be from 1 to 32767 pixels
)");
  EXPECT_TRUE(host_.reports.empty() && host_.questions.empty());
}

// Writes fail past 900 bytes: the old pages stay, no page is left cut off.
TEST_F(RunTest, AFullDiskLeavesEveryPageWhole) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) Copy(pics_ + "/" + name);
  ExpressSettings express;
  express.ExpressSepPage = "1";
  Run(false, Input({pics_}), {}, express);
  std::string old_index = ReadFile(pics_ + "/page1.html");
  Copy(pics_ + "/d.jpg");
  express.ExpressPageTitle = "Changed";
  EXPECT_TRUE(InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{900, 900};
    setrlimit(RLIMIT_FSIZE, &limit);
    return !Run(false, Input({pics_}), {}, express).empty();
  })) << "the failures were not told";
  EXPECT_EQ(ReadFile(pics_ + "/page1.html"), old_index);
  for (const std::string& name : Listing(pics_))
    EXPECT_TRUE(name.ends_with(".html") ? temp_.Read("pics/" + name).ends_with("</BODY></HTML>\r\n")
                                        : !name.starts_with(".kesto-"))
        << name;
}

// A blank mark beside the pictures makes no picture a thumbnail of itself.
TEST_F(RunTest, AnEmptyMarkBesideThePicturesMakesNoThumbnails) {
  Copy(pics_ + "/a.jpg");
  Run(true, Input({pics_}), Advanced("ThumbExt=\nStoreInSub=0"));
  EXPECT_EQ(ReadFile(pics_ + "/a.jpg"), ReadFile(KESTO_TEST_DATA "/pictures/small.jpg"));
  EXPECT_EQ(Listing(pics_), (Names{"a.jpg", "page_01.html"}));
}

const ExtraFormats kPng{1u << int(ExtraFormat::kPng)};

// A double larger than its picture is left out, silently; a file of the
// user's at a double's path stays.
TEST_F(RunTest, SharpScreensGetADoubleOfEachThumbnailMadeWhenMissing) {
  Copy(pics_ + "/a.jpg", "thumbs/progressive-200.jpg");
  Copy(pics_ + "/shot.png", "thumbs/progressive-200.jpg");
  Copy(pics_ + "/s.jpg");  // 40 x 30, its thumbnail 133 x 100
  temp_.Write("pics/broken.jpg", "no picture at all");
  ExpressSettings express;
  express.ExpressHiDpi = "1";
  const RunInput input = Input({pics_}, kPng);
  Run(false, input, {}, express);
  temp_.Write("pics/thumbs/a_tn@2x.jpg", "mine");
  express.ExpressOverwrite = true;
  EXPECT_EQ(Run(false, input, {}, express).at(0),
            "no thumbnail of " + pics_ + "/a.jpg: " + KeptFileError(pics_ + "/thumbs/a_tn@2x.jpg"));
  // The bar: 1 + a, shot, broken, each twice, and s; broken.jpg listed once a run.
  EXPECT_EQ(host_.progress.back().maximum * 10 + host_.reports.size(), 82u);
  EXPECT_EQ(Listing(pics_ + "/thumbs"),
            (Names{"a_tn.jpg", "a_tn@2x.jpg", "s_tn.jpg", "shot_tn.jpg", "shot_tn@2x.jpg"}));
  EXPECT_EQ(temp_.Read("pics/thumbs/a_tn@2x.jpg"), "mine");
  EXPECT_EQ(temp_.Read("pics/page1.html").find("s_tn@2x"), std::string::npos);
  fs::remove(pics_ + "/s.jpg");
  EXPECT_EQ(FindOrphanThumbs(pics_ + "/thumbs", pics_, ThumbNaming(), kPng), Names{"s_tn.jpg"});
  EXPECT_EQ(FindOrphanThumbs(pics_ + "/thumbs", pics_, ThumbNaming()),
            (Names{"s_tn.jpg", "shot_tn.jpg", "shot_tn@2x.jpg"}));
}

class TreeTest : public RunTest {
 protected:
  // Makes `path` in the tree: a copy of tests/data/`fixture`, else "x".
  void File(const std::string& path, const std::string& fixture = "") {
    fs::create_directories(fs::path(top_ + "/" + path).parent_path());
    fixture.empty() ? WriteFile(top_ + "/" + path, "x") : Copy(top_ + "/" + path, fixture);
  }

  std::string top_ = temp_.Path("Pictures");
  TreeRules express_ = RunTreeRules(false, AdvancedSettings(), {});
};

// Hidden folders, the thumbnail folder and links are not entered.
TEST_F(TreeTest, TheTopThenEachFolderHoldingPicturesInTheListsOrder) {
  for (const char* name : {"zoo/a.jpg", "Beach/2024/b.GIF", "beach/c.bmp", "alps/empty/.keep",
                           "alps/x_tn.jpg", "alps/notes.txt", "alps/deep/d.jpeg", ".hidden/e.jpg",
                           "zoo/thumbs/f_tn.jpg", "zoo/thumbs/more/g.jpg", "screens/shot.png"})
    File(name);
  fs::create_directory_symlink(top_ + "/zoo", top_ + "/link");
  fs::create_symlink(top_ + "/zoo/a.jpg", top_ + "/alps/deep/linked.jpg");
  EXPECT_EQ(PictureTree(top_, express_), (Names{top_, top_ + "/alps/deep", top_ + "/Beach/2024",
                                                top_ + "/beach", top_ + "/zoo"}));
}

TEST_F(TreeTest, DeepChainsAreWalkedAndPathsTooLongAreTold) {
  fs::create_directory(top_);
  int fd = open(top_.c_str(), O_RDONLY | O_DIRECTORY);
  for (int i = 0; i < 19000; ++i) {  // each made in the one above: no path names the bottom
    mkdirat(fd, "d", 0755);
    close(std::exchange(fd, openat(fd, "d", O_RDONLY | O_DIRECTORY)));
  }
  close(openat(fd, "x.jpg", O_CREAT | O_WRONLY, 0644));
  close(fd);
  Names folders = PictureTree(top_, express_);
  Names told = Run(false, Input(folders));
  EXPECT_EQ(std::system(("rm -rf " + top_).c_str()), 0);  // rm walks any depth
  std::string bottom = top_ + ReplaceAll(std::string(19000, 'd'), "d", "/d");
  EXPECT_EQ(folders, (Names{top_, bottom}));
  EXPECT_EQ(told, Names{bottom + ": the path is longer than 4095 bytes, more than the system "
                                 "takes; the folder is left out"});
  // A gallery 200 folders down is made with 128 file handles.
  std::string deep = top_ + "/" + ReplaceAll(std::string(200, 'e'), "e", "e/") + "x.jpg";
  File(deep.substr(top_.size() + 1), "pictures/small.jpg");
  EXPECT_TRUE(InChild([&] {
    rlimit limit{128, 128};
    setrlimit(RLIMIT_NOFILE, &limit);
    Run(false, Input(PictureTree(top_, express_)));
    return Present({fs::path(deep).parent_path() / "page1.html"}) == "1";
  })) << "the gallery was not made";
}

TEST_F(TreeTest, TheIndexLeadsToEachGalleryAndNeverReplacesAPageOfTheUsers) {
  File("b.jpg", "pictures/small.jpg");
  File("javascript:alert(1)/Caf\xC3\xA9 & co/x #1.jpg", "pictures/small.jpg");
  File("javascript:alert(1)/Caf\xC3\xA9 & co/#1.gif", "pictures/small.gif");
  File("2024/empty/notes.txt");
  Names folders = PictureTree(top_, express_);
  std::string index = top_ + "/index.html", warning;
  auto make = [&] { return MakeTreeIndex(top_, folders, false, {}, {}, &warning); };
  EXPECT_FALSE(make());
  EXPECT_EQ(warning, top_ + ": the tree holds no gallery; no tree index is written");
  Run(false, Input(folders));
  ASSERT_TRUE(make() && IsOwnTreeIndex(index) && make()) << warning;  // again
  // A name is written as text, a link takes no "scheme:" and no "#".
  EXPECT_EQ(ReadFile(index), std::string(kUtf8Bom) + ReplaceAll(R"(<!-- KESTO tree index -->
<HTML><HEAD><TITLE>Pictures</TITLE></HEAD>
<BODY bgcolor=#000000 text=#FFFFFF link=#FFFFFF vlink=#C0C0C0 alink=#FFFFFF>
<div align="center"><br><font size=5><B>Pictures</B></font><br><br>
<TABLE cellpadding=7 cellspacing=0 border=0>
<TR>
<TD align=center valign=bottom><a href="page1.html"><img src="thumbs/b_tn.jpg" border=1><br>Pictures</a><br><br></TD>
<TD align=center valign=bottom><a href="javascript%3Aalert(1)/Café &amp; co/page1.html"><img src="javascript%3Aalert(1)/Café &amp; co/thumbs/%231_tn.jpg" border=1><br>javascript:alert(1)/Café &amp; co</a><br><br></TD>
</TR>
</TABLE></div></BODY></HTML>
)",
                                                                "\n", "\r\n"));
  WriteFile(index, "<html>my own start page</html>");
  EXPECT_FALSE(make());
  EXPECT_EQ(warning, index + " is not a tree index the program wrote; it is left as it is");
  EXPECT_EQ(ReadFile(index), "<html>my own start page</html>");
  // Not even a link to a tree index of the program's own is replaced.
  fs::rename(index, top_ + "/mine.html");
  ASSERT_TRUE(make());
  fs::rename(index, top_ + "/own.html");
  fs::create_symlink(top_ + "/own.html", index);
  EXPECT_FALSE(make());
  EXPECT_TRUE(fs::is_symlink(index));
}

// A file with the mark every thumbnail the program writes carries.
std::string Marked() {
  return std::string("\xFF\xD8\xFF\xFE\x00", 5) + static_cast<char>(kThumbnailMark.size() + 2) +
         std::string(kThumbnailMark) + "\xFF\xD9";
}

constexpr char kQuestion[] =
    "It appears that the source files for\r\nthe following thumbnails do not exist.\r\n"
    "Do you wish to delete them?\r\n---------------------------\r\n";

struct CleanupTest : RunTest {
  const std::string thumbs = Dir("pics/thumbs");
};

// A name cannot forge lines of the question.
TEST_F(CleanupTest, AsksAndDeletesOnlyOrphansStillOrphaned) {
  for (const char* name : {"Beach_tn.jpg", "Sea_tn.jpg", "Sky_tn.jpg", "Lake_tn.jpg", "notes.jpg",
                           "x\r\n(nothing else will be deleted)\t\x1B[2J_tn.jpg"})
    WriteFile(thumbs + "/" + name, Marked());  // notes.jpg: no mark in its name
  WriteFile(pics_ + "/beach.GIF", "");         // any letter case keeps the thumbnail
  host_.while_asked = [&] {
    WriteFile(pics_ + "/Sky.bmp", "");             // restored while asked
    WriteFile(thumbs + "/Lake_tn.jpg", "mine");    // the user's own file put in its place
    WriteFile(thumbs + "/Late_tn.jpg", Marked());  // never shown, so never deleted
  };
  CleanOrphanThumbs(thumbs, pics_, ThumbNaming(), &host_);
  EXPECT_EQ(host_.questions, Names{kQuestion + thumbs + "/Lake_tn.jpg\r\n" + thumbs +
                                   "/Sea_tn.jpg\r\n" + thumbs + "/Sky_tn.jpg\r\n" + thumbs +
                                   "/x\\r\\n(nothing else will be deleted)\\t\\x1B[2J_tn.jpg\r\n"});
  EXPECT_EQ(Listing(thumbs),
            (Names{"Beach_tn.jpg", "Lake_tn.jpg", "Late_tn.jpg", "Sky_tn.jpg", "notes.jpg"}));
}

// Old pages and thumbnails that cannot be deleted are told, never passed over.
TEST_F(CleanupTest, FilesThatCannotBeDeletedAreTold) {
  temp_.Write("pics/old.htm", "x");
  WriteFile(thumbs + "/gone_tn.jpg", Marked());
  chmod(temp_.path().c_str(), 0755);
  for (const std::string& dir : {pics_, thumbs}) chmod(dir.c_str(), 0555);
  std::string told = RunUnprivileged([&] {
    DeleteOldHtml(pics_, false, &host_);
    CleanOrphanThumbs(thumbs, pics_, ThumbNaming(), &host_);
    return host_.warnings.at(0) + "\n" + host_.warnings.at(1);
  });
  for (const std::string& dir : {pics_, thumbs}) chmod(dir.c_str(), 0755);
  EXPECT_EQ(told, pics_ + "/old.htm: the old page cannot be deleted (Permission denied)\n" +
                      thumbs + "/gone_tn.jpg: the thumbnail cannot be deleted (Permission denied)");
  EXPECT_EQ(Present({"pics/old.htm", "pics/thumbs/gone_tn.jpg"}), "11");
}

// Unmarked look-alikes, links and what linked folders hold are no orphans.
TEST_F(CleanupTest, LookAlikesAndLinksAreNeverListed) {
  std::string elsewhere = Dir("elsewhere");
  const std::string unmarked = "\xFF\xD8\xFF\xFE" + std::string("\x00\x07", 2) + "holiday\xFF\xD9";
  for (const char* name : {"sat_tnight.jpg", "lonely_tn.jpg", "autumn_tn_walk.jpg", "_tnx.jpg"}) {
    WriteFile(pics_ + "/" + name, unmarked);
    WriteFile(thumbs + "/" + name, "not even a JPEG");
  }
  fs::create_symlink(pics_ + "/lonely_tn.jpg", thumbs + "/link_tn.jpg");
  WriteFile(elsewhere + "/holiday_tn.jpg", Marked());
  fs::create_directory_symlink(elsewhere, pics_ + "/linked");
  for (const ThumbNaming& naming : {ThumbNaming{"_tn", false, false, false},
                                    {"_tn", true, false, false},
                                    {"_tn", false, true, false},
                                    {"", false, true, false}}) {
    for (const std::string& folder : {naming.store_in_sub ? thumbs : pics_, pics_ + "/linked"}) {
      EXPECT_EQ(FindOrphanThumbs(folder, pics_, naming), Names{})
          << naming.affix << naming.before << naming.store_in_sub << folder;
      CleanOrphanThumbs(folder, pics_, naming, &host_);
    }
  }
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_EQ(ReadFile(pics_ + "/lonely_tn.jpg"), unmarked);
  EXPECT_EQ(Present({elsewhere + "/holiday_tn.jpg"}), "1");
}

TEST_F(CleanupTest, RunsKeepTheUsersPicturesAndNamesThatAreNotUtf8) {
  for (const char* name : {"caf\xE9.jpg", "sat_tnight.jpg", "lonely_tn.jpg", "gone.jpg"})
    Copy(pics_ + "/" + name);
  const AdvancedSettings beside = Advanced("StoreInSub=0\nCleanHouse=1");
  ExpressSettings express;
  express.ExpressCleanHouse = "1";
  for (bool advanced : {true, false})
    for (int run = 0; run < 2; ++run) Run(advanced, Input({pics_}), beside, express);
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_EQ(Present({"pics/caf\xE9_tn.jpg", "pics/gone_tn.jpg", "pics/thumbs/caf\xE9_tn.jpg"}),
            "111");
  fs::remove(pics_ + "/gone.jpg");
  Run(true, Input({pics_}), beside, express);
  EXPECT_EQ(host_.questions, Names{kQuestion + pics_ + "/gone_tn.jpg\r\n"});
  EXPECT_EQ(Present({"pics/sat_tnight.jpg", "pics/lonely_tn.jpg", "pics/caf\xE9.jpg",
                     "pics/caf\xE9_tn.jpg", "pics/gone_tn.jpg"}),
            "11110");
}

// After SOI or after an APP0; not a longer comment, nor one after the scan.
TEST(ThumbnailMarkTest, OnlyTheExactCommentBeforeTheFirstScanCounts) {
  const std::string mark = Marked(), head = "\xFF\xD8";
  const std::pair<std::string, bool> cases[] = {
      {mark, true},
      {head + std::string("\xFF\xE0\x00\x04xy", 6) + mark.substr(2), true},
      {head + std::string("\xFF\xFE\x00\x12", 4) + std::string(kThumbnailMark) + "!", false},
      {head + "\xFF\xDA" + mark.substr(2), false},
      {"GIF89a" + mark, false},
      {mark.substr(0, 12), false}};
  TempFolder temp;
  for (const auto& [bytes, marked] : cases) {
    WriteFile(temp.Path("t.jpg"), bytes);
    int fd = open(temp.Path("t.jpg").c_str(), O_RDONLY);
    EXPECT_EQ(HasThumbnailMark(fd), marked) << bytes.size();
    close(fd);
  }
}

}  // namespace
