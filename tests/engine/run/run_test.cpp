// Runs over folders of pictures: what they make, report and refuse, the
// photo trees, and the clean-up that deletes only the program's own files.
#include "run/run.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "forms/settings_transfer.h"
#include "pages/tree_index.h"
#include "pictures/jpeg_io.h"
#include "pictures/thumbnails.h"
#include "run/cleanup.h"
#include "run/run_host.h"
#include "run/run_report_text.h"
#include "run/tree.h"
#include "settings/record_fields.h"
#include "settings/text.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace fs = std::filesystem;

namespace {

// A run host that records what the run asks of it.
struct FakeHost : RunHost {
  std::vector<ProgressState> progress;
  int hides = 0;
  std::function<bool(const FakeHost&)> stop_when;  // STOP is pressed once this holds
  bool stopped = false;
  std::vector<std::string> questions;  // the lists of ConfirmDelete
  bool answer = false;
  std::function<void()> while_asked;
  std::vector<std::string> reports;
  std::vector<std::string> warnings;

  void ShowProgress(const ProgressState& state) override { progress.push_back(state); }
  void HideProgress() override { ++hides; }
  bool PollStop() override {
    if (stopped || !stop_when || !stop_when(*this)) return false;
    return stopped = true;
  }
  void SetStatusVisible(bool) override {}
  bool ConfirmDelete(const std::string& text) override {
    questions.push_back(text);
    if (while_asked) while_asked();
    return answer;
  }
  void ShowReport(const std::string& text) override { reports.push_back(text); }
  void Warn(const std::string& text) override { warnings.push_back(text); }
};

class RunFixture : public ::testing::Test {
 protected:
  /// Makes the folder `name` (and the folders on its way); gives its path.
  std::string Dir(const std::string& name) {
    fs::create_directories(temp_.Path(name));
    return temp_.Path(name);
  }
  /// Copies tests/data/`fixture` to `to`, making the folders on the way.
  static void Copy(const std::string& fixture, const std::string& to) {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(std::string(KESTO_TEST_DATA) + "/" + fixture, to);
  }
  static void Small(const std::string& to) { Copy("pictures/small.jpg", to); }
  static bool Exists(const std::string& path) { return fs::exists(fs::symlink_status(path)); }
  /// The names in `dir`, sorted.
  static std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  static ExpressSettings Express(const std::string& lines) {
    ExpressSettings settings;
    Assign(kExpressFields, lines, &settings);
    return settings;
  }
  static AdvancedSettings Advanced(const std::string& lines) {
    AdvancedSettings settings;
    Assign(kAdvancedFields, lines, &settings);
    return settings;
  }
  RunInput Input(std::vector<std::string> dirs, ExtraFormats formats = {}) {
    RunInput input;
    input.directories = std::move(dirs);
    input.workers = 2;
    input.formats = formats;
    return input;
  }
  void Run(bool advanced, const RunInput& input, const AdvancedSettings& advanced_settings = {},
           const ExpressSettings& express = {}) {
    Process(advanced, input, advanced_settings, express, &host_, &report_);
  }

  TempFolder temp_;
  const std::string pics_ = Dir("pics");  // the usual picture folder
  FakeHost host_;
  RunReport report_;
};

using Names = std::vector<std::string>;

class RunTest : public RunFixture {};

TEST_F(RunTest, MissingDirectoryIsReportedAndTheOthersRun) {
  Run(false, Input({}));  // nothing to do: nothing shown
  EXPECT_TRUE(host_.progress.empty() && host_.reports.empty());
  Small(pics_ + "/a.jpg");
  Copy("pictures/small.gif", pics_ + "/b.GIF");
  std::string missing = temp_.Path("gone") + "/";
  Run(false, Input({pics_ + "/", missing}));
  EXPECT_EQ(Listing(pics_ + "/thumbs"), (Names{"a_tn.jpg", "b_tn.jpg"}));
  EXPECT_TRUE(Exists(pics_ + "/page1.html"));
  EXPECT_EQ(report_.InvalidPaths, missing + "\r\n");
  EXPECT_EQ(host_.reports.size(), 1u);
  // The bar: 1 + two due, then one step per thumbnail, labels for Express.
  ASSERT_FALSE(host_.progress.empty());
  EXPECT_EQ(host_.progress.front().maximum, 3);
  EXPECT_EQ(host_.progress.back().value, 3);
  EXPECT_EQ(host_.progress.front().status_label, "Processing Directory 1 of 2");
}

TEST_F(RunTest, UnreadableDirectoryIsReportedLikeAMissingOne) {
  std::string locked = Dir("locked");
  chmod(temp_.path().c_str(), 0755);
  chmod(locked.c_str(), 0);
  EXPECT_EQ(RunUnprivileged([&] {
              Run(false, Input({locked}));
              return report_.InvalidPaths;
            }),
            locked + "\r\n");
  chmod(locked.c_str(), 0700);
  EXPECT_FALSE(Exists(locked + "/thumbs"));
}

TEST_F(RunTest, CorruptPicturesAreReportedInListOrder) {
  temp_.Write("pics/b.jpg", "not a picture");
  temp_.Write("pics/a.bmp", "");
  Small(pics_ + "/c.jpg");
  Run(true, Input({pics_}));
  EXPECT_EQ(host_.reports,
            Names{"Thumbs could not be written. Corrupted source files:\r\n---------------------"
                  "\r\n" +
                  pics_ + "/a.bmp\r\n" + pics_ + "/b.jpg\r\n---------------------\r\n\r\n"});
  EXPECT_TRUE(report_.CorruptedFiles.empty());  // emptied once shown
  EXPECT_TRUE(Exists(pics_ + "/thumbs/c_tn.jpg"));
  EXPECT_TRUE(Exists(pics_ + "/page_01.html"));
  EXPECT_EQ(host_.warnings,  // each with its reason
            (Names{"no thumbnail of " + pics_ + "/a.bmp: empty file",
                   "no thumbnail of " + pics_ + "/b.jpg: not a picture in a readable format"}));
}

TEST_F(RunTest, StopEndsTheRunWithinTheSecondDirectory) {
  std::string first = Dir("first"), second = Dir("second"), third = Dir("third");
  for (const std::string& dir : {first, second, third})
    for (int i = 0; i < 8; ++i) Small(dir + "/p" + std::to_string(i) + ".jpg");
  // STOP once the second directory has made its first thumbnail.
  host_.stop_when = [](const FakeHost& h) {
    return !h.progress.empty() && h.progress.back().dir_index == 1 && h.progress.back().value > 1;
  };
  RunInput input = Input({first, second, third, temp_.Path("gone")});
  input.workers = 1;
  Run(false, input);
  EXPECT_TRUE(Exists(first + "/thumbs/p7_tn.jpg"));
  EXPECT_TRUE(Exists(first + "/page1.html"));
  EXPECT_TRUE(Exists(second + "/thumbs/p0_tn.jpg"));
  EXPECT_FALSE(Exists(second + "/thumbs/p7_tn.jpg"));
  EXPECT_FALSE(Exists(second + "/page1.html"));
  EXPECT_FALSE(Exists(third + "/thumbs"));
  EXPECT_GE(host_.hides, 1);
  EXPECT_TRUE(host_.reports.empty());  // the missing fourth was never reached
}

TEST_F(RunTest, StopDuringPagesStillServesLaterFoldersWithoutPictures) {
  std::string first = Dir("first"), empty = Dir("empty"), third = Dir("third");
  Small(first + "/a.jpg");
  Small(third + "/c.jpg");
  temp_.Write("empty/old.htm", "x");
  host_.stop_when = [](const FakeHost& h) {
    return !h.progress.empty() && h.progress.back().value == h.progress.back().maximum;
  };
  Run(false, Input({first, empty, third}), {}, Express("ExpressDelHTML=1"));
  EXPECT_TRUE(Exists(first + "/thumbs/a_tn.jpg"));
  EXPECT_FALSE(Exists(empty + "/old.htm"));
  EXPECT_TRUE(Exists(third + "/thumbs"));  // the folder comes before the first picture
  EXPECT_FALSE(Exists(third + "/thumbs/c_tn.jpg"));
}

TEST_F(RunTest, OldPagesGoByModeMasks) {
  for (const char* name : {"readme.js", "index.HTML", "x.shtml", "keep.txt", "a.asp", "b.c"})
    temp_.Write(std::string("pics/") + name, "x");
  DeleteOldHtml(pics_, false, &host_);
  // index.HTML: the mask matches, the path holds no ".html"
  EXPECT_EQ(Listing(pics_), (Names{"a.asp", "b.c", "index.HTML", "keep.txt", "readme.js"}));
  DeleteOldHtml(pics_, true, &host_);
  EXPECT_EQ(Listing(pics_), (Names{"index.HTML", "keep.txt"}));
}

// Settings that would make the run write or delete outside the gallery's
// own files, or fail every picture, stop it before it touches anything.
TEST_F(RunTest, SettingsThatWouldHarmFilesAreRefusedBeforeTheRun) {
  std::string pics = Dir("parent/pics");
  Small(pics + "/photo.jpeg");
  temp_.Write("parent/photo_tn.jpg", "x");
  const struct {
    const char *sub, *resize, *height, *width;
  } cases[] = {{"", "Height", "100", "100"},       {".", "Height", "100", "100"},
               {"..", "Height", "100", "100"},     {" .. ", "Height", "100", "100"},
               {"a/b", "Height", "100", "100"},    {"thumbs", "Both", "0", "120"},
               {"thumbs", "Both", "120", "40000"}, {"thumbs", "Width", "0", "0.4"}};
  host_.answer = true;
  for (const auto& c : cases) {
    AdvancedSettings advanced;
    advanced.ThumbExt = "";
    advanced.SubFolderName = c.sub;
    advanced.CleanHouse = "1";
    RunInput input = Input({pics});
    input.thumbs.ResizeMethod = c.resize;
    input.thumbs.Height = c.height;
    input.thumbs.Width = c.width;
    Run(true, input, advanced);
    EXPECT_EQ(Listing(temp_.Path("parent")), (Names{"photo_tn.jpg", "pics"})) << c.sub << c.resize;
    EXPECT_EQ(temp_.Read("parent/photo_tn.jpg"), "x") << c.sub << c.resize;
    EXPECT_EQ(Listing(pics), Names{"photo.jpeg"}) << c.sub << c.resize;
  }
  ASSERT_EQ(host_.warnings.size(), std::size(cases));
  EXPECT_EQ(host_.warnings[2],
            "SubFolderName is \"..\": the thumbnail folder must be one plain folder name, not "
            "empty, \".\", \"..\" or holding \"/\"");
  EXPECT_EQ(host_.warnings[5], "Height is \"0\": a thumbnail side must be from 1 to 32767 pixels");
  EXPECT_EQ(host_.warnings[7], "Width is \"0.4\": a thumbnail side must be from 1 to 32767 pixels");
  EXPECT_TRUE(host_.reports.empty() && host_.questions.empty());
}

// Writes fail past a few hundred bytes, as on a full disk: the pages that
// were there stay whole, and no page is left empty or cut off.
TEST_F(RunTest, AFullDiskLeavesEveryPageWhole) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) Small(pics_ + "/" + name);
  ExpressSettings express = Express("ExpressSepPage=1");
  Run(false, Input({pics_}), {}, express);
  std::string old_index = ReadFile(pics_ + "/page1.html");
  Small(pics_ + "/d.jpg");
  express.ExpressPageTitle = "Changed";
  pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{900, 900};
    setrlimit(RLIMIT_FSIZE, &limit);
    FakeHost host;
    Process(false, Input({pics_}), AdvancedSettings(), express, &host, &report_);
    _exit(host.warnings.empty() ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failures were not told";
  EXPECT_EQ(ReadFile(pics_ + "/page1.html"), old_index);
  for (const auto& entry : fs::directory_iterator(pics_)) {
    if (entry.path().extension() == ".html") {
      EXPECT_TRUE(ReadFile(entry.path()).ends_with("</BODY></HTML>\r\n")) << entry.path();
    }
    EXPECT_FALSE(entry.path().filename().string().starts_with(".kesto-")) << entry.path();
  }
}

// Names that differ only in the extension are told once; thumbnails are no
// pictures, and letter case counts.
TEST_F(RunTest, PicturesSharingABaseNameAreTold) {
  for (const char* name :
       {"Beach.jpg", "Beach.gif", "Beach.bmp", "beach.jpeg", "x_tn.jpg", "x.gif"})
    temp_.Write(std::string("pics/") + name, "x");
  Run(false, Input({pics_}));
  Names shared;
  std::copy_if(host_.warnings.begin(), host_.warnings.end(), std::back_inserter(shared),
               [](const std::string& w) { return w.find(" share ") != w.npos; });
  EXPECT_EQ(shared,
            Names{pics_ + ": Beach.bmp, Beach.gif and Beach.jpg share one thumbnail and one "
                          "picture page"});
}

// A blank thumbnail mark passes the dialog's check, which looks at the
// untrimmed text, and reaches the run empty: no picture becomes a thumbnail.
TEST_F(RunTest, BlankMarkCommittedBesideThePicturesMakesNoThumbnails) {
  Form form = NewAdvancedForm();
  form.at("txtThumbExt").text = " ";
  form.at("chkStoreInSub").checked = false;
  AdvancedSettings settings;
  CommittedFlags flags;
  ASSERT_FALSE(CommitAdvanced(&form, &settings, &flags));
  ASSERT_EQ(settings.ThumbExt + "|" + settings.StoreInSub, "|0");
  Small(pics_ + "/a.jpg");
  std::string picture = ReadFile(pics_ + "/a.jpg");
  Run(true, Input({pics_}), settings);
  EXPECT_EQ(ReadFile(pics_ + "/a.jpg"), picture);
  EXPECT_TRUE(host_.progress.empty());
  EXPECT_EQ(Listing(pics_), (Names{"a.jpg", "page_01.html"}));
}

TEST(RunReportTextTest, SectionsInOrder) {
  RunReport report;
  EXPECT_EQ(RunReportText(report, {}), "");
  report.MissingSnippets = "/s.txt\r\n";
  report.TemplateMissing = true;
  report.HeaderMissing = true;
  EXPECT_EQ(RunReportText(report, {"/h.txt", "/f.txt", "/t.tpl"}),
            "Snipplets could not be found:\r\n---------------------\r\n/s.txt\r\n"
            "---------------------\r\n\r\nNo header file was found at /h.txt\r\n\r\n"
            "No template was found at /t.tpl\r\n\r\n");
  EXPECT_EQ(StripTrailingSlashes("/a/b///"), "/a/b");
  EXPECT_EQ(StripTrailingSlashes("/"), "");
}

// Runs with the opt-in choices: extra picture types and thumbnails for sharp
// screens. Without them a run takes and makes what it always did.
ExtraFormats Formats(const std::string& list) {
  ExtraFormats formats;
  std::string err;
  EXPECT_TRUE(ParseExtraFormats(list, &formats, &err)) << err;
  return formats;
}

TEST_F(RunTest, ExtraTypesAreTakenOnlyWhenChosenAndSortLikeTheOthers) {
  Small(pics_ + "/b.jpg");
  Copy("thumbs/png-named.jpg", pics_ + "/a.PNG");
  Copy("thumbs/png-named.jpg", pics_ + "/b.png");
  Run(false, Input({pics_}));
  EXPECT_EQ(Listing(pics_ + "/thumbs"), Names{"b_tn.jpg"});
  EXPECT_EQ(temp_.Read("pics/page1.html").find("a.PNG"), std::string::npos);
  EXPECT_TRUE(host_.warnings.empty());

  Run(false, Input({pics_}, Formats("png")));
  EXPECT_EQ(Listing(pics_ + "/thumbs"), (Names{"a_tn.jpg", "b_tn.jpg"}));
  std::string page = temp_.Read("pics/page1.html");
  EXPECT_LT(page.find("href=\"a.PNG\""), page.find("href=\"b.jpg\""));
  EXPECT_LT(page.find("href=\"b.jpg\""), page.find("href=\"b.png\""));
  EXPECT_EQ(host_.warnings.size(), 1u);  // b.jpg and b.png share one thumbnail
  EXPECT_TRUE(host_.reports.empty());
}

TEST_F(RunTest, CleanUpKeepsAThumbnailWhileItsPictureIsThereInAChosenType) {
  Copy("thumbs/png-named.jpg", pics_ + "/shot.png");
  Small(pics_ + "/gone.jpg");
  ExpressSettings hidpi;
  hidpi.ExpressHiDpi = "1";
  RunInput input = Input({pics_}, Formats("png"));
  input.thumbs.Height = "5";  // doubles no larger than the pictures
  Run(false, input, {}, hidpi);
  Names all = {"gone_tn.jpg", "gone_tn@2x.jpg", "shot_tn.jpg", "shot_tn@2x.jpg"};
  ASSERT_EQ(Listing(pics_ + "/thumbs"), all);
  fs::remove(pics_ + "/gone.jpg");
  ThumbNaming express;
  EXPECT_EQ(FindOrphanThumbs(pics_ + "/thumbs", pics_, express, Formats("png")),
            (Names{"gone_tn.jpg", "gone_tn@2x.jpg"}));
  // Without PNG chosen shot.png is no picture of the gallery.
  EXPECT_EQ(FindOrphanThumbs(pics_ + "/thumbs", pics_, express), all);

  // The affix before the name, thumbnails beside the pictures.
  ThumbNaming before{"tn_", true, false, false};
  fs::copy_file(pics_ + "/thumbs/shot_tn.jpg", pics_ + "/tn_shot.jpg");
  EXPECT_EQ(FindOrphanThumbs(pics_, pics_, before, Formats("png")), Names{});
  EXPECT_EQ(FindOrphanThumbs(pics_, pics_, before, Formats("tiff")), Names{"tn_shot.jpg"});
}

// A double that cannot be made (larger than its picture) is left out
// without a word, and the pages offer only the doubles there are. Each file
// is due on its own; remade, a file of the user's at a double's path stays.
TEST_F(RunTest, SharpScreensGetADoubleOfEachThumbnailMadeWhenMissing) {
  Copy("thumbs/progressive-200.jpg", pics_ + "/a.jpg");
  Small(pics_ + "/s.jpg");  // 40 x 30, its thumbnail 133 x 100
  temp_.Write("pics/broken.jpg", "no picture at all");
  ExpressSettings hidpi;
  hidpi.ExpressHiDpi = "1";
  ExpressSettings remade = hidpi;
  remade.ExpressOverwrite = true;
  const struct {
    ExpressSettings settings;
    int64_t maximum;  // of the bar: 1 + the thumbnails due
    Names thumbs;
  } runs[] = {{{}, 4, {"a_tn.jpg", "s_tn.jpg"}},                      // a, s and broken
              {hidpi, 5, {"a_tn.jpg", "a_tn@2x.jpg", "s_tn.jpg"}},    // two doubles, broken twice
              {hidpi, 4, {"a_tn.jpg", "a_tn@2x.jpg", "s_tn.jpg"}},    // s's double, broken twice
              {remade, 6, {"a_tn.jpg", "a_tn@2x.jpg", "s_tn.jpg"}}};  // all but the user's file
  for (const auto& run : runs) {
    host_ = FakeHost();
    if (&run == &runs[3]) temp_.Write("pics/thumbs/a_tn@2x.jpg", "mine");
    Run(false, Input({pics_}), {}, run.settings);
    EXPECT_EQ(host_.progress.back().maximum, run.maximum);
    EXPECT_EQ(host_.progress.back().value, run.maximum);
    EXPECT_EQ(Listing(pics_ + "/thumbs"), run.thumbs);
    EXPECT_EQ(host_.reports.size(), 1u);  // broken.jpg, listed once
  }
  EXPECT_EQ(temp_.Read("pics/page1.html").find("s_tn@2x"), std::string::npos);
  EXPECT_EQ(temp_.Read("pics/thumbs/a_tn@2x.jpg"), "mine");
  EXPECT_EQ(host_.warnings[0],
            "no thumbnail of " + pics_ + "/a.jpg: " + KeptFileError(pics_ + "/thumbs/a_tn@2x.jpg"));
}

// Whole photo trees: which folders become galleries, and the page at the top
// of the tree that never takes the place of a page of the user's own.
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

// Any depth is walked, with neither the stack nor the open files growing;
// the run cannot take a path longer than the system does, and says so.
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
  Run(false, Input(folders));
  EXPECT_EQ(std::system(("rm -rf " + top_).c_str()), 0);  // rm walks any depth
  std::string bottom = top_ + ReplaceAll(std::string(19000, 'd'), "d", "/d");
  EXPECT_EQ(folders, (Names{top_, bottom}));
  EXPECT_EQ(host_.warnings, Names{bottom + ": the path is longer than 4095 bytes, more than the "
                                           "system takes; the folder is left out"});

  // A gallery 200 folders down is made with 128 file handles.
  std::string deep = top_ + "/" + ReplaceAll(std::string(200, 'e'), "e", "e/") + "x.jpg";
  File(deep.substr(top_.size() + 1), "pictures/small.jpg");
  pid_t child = fork();
  if (child == 0) {
    rlimit limit{128, 128};
    setrlimit(RLIMIT_NOFILE, &limit);
    Process(false, Input(PictureTree(top_, express_)), {}, {}, &host_, &report_);
    _exit(Exists(fs::path(deep).parent_path() / "page1.html") ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the gallery was not made";
}

TEST_F(TreeTest, AdvancedSettingsNameTheThumbnailFolderAndTheAffix) {
  File("thumbs/a.jpg");
  File("small/b_tn.jpg");
  File("small/c.jpg");
  File("other/x_tn.jpg");
  AdvancedSettings settings = Advanced("SubFolderName=small");
  EXPECT_EQ(Relative(PictureTree(top_, RunTreeRules(true, settings, {}))), (Names{".", "thumbs"}));
  settings.ThumbExt = "tn_";  // now "x_tn.jpg" is a picture
  settings.StoreInSub = "0";  // no thumbnail folder: "small" is a gallery like any other
  EXPECT_EQ(Relative(PictureTree(top_, RunTreeRules(true, settings, {}))),
            (Names{".", "other", "small", "thumbs"}));
}

TEST_F(TreeTest, TheIndexLeadsToEachGalleryAndShowsItsFirstThumbnail) {
  File("b.jpg", "pictures/small.jpg");
  File("javascript:alert(1)/Caf\xC3\xA9 & co/x #1.jpg", "pictures/small.jpg");
  File("javascript:alert(1)/Caf\xC3\xA9 & co/#1.gif", "pictures/small.gif");
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
                "<TD align=center valign=bottom><a href=\"javascript%3Aalert(1)/Caf\xC3\xA9 &amp; "
                "co/page1.html\"><img src=\"javascript%3Aalert(1)/Caf\xC3\xA9 &amp; "
                "co/thumbs/%231_tn.jpg\" border=1><br>javascript:alert(1)/Caf\xC3\xA9 &amp; "
                "co</a><br><br></TD>\r\n"
                "</TR>\r\n"
                "</TABLE></div></BODY></HTML>\r\n");
}

TEST_F(TreeTest, AdvancedGalleriesStartAtThePageStartAtNumbers) {
  File("2024/b.jpg", "pictures/small.jpg");
  AdvancedSettings settings =
      Advanced("PageFileName=gallery\nStartAt=3\nUnits=2\nThumbExt=\nSubFolderName=mini");
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

// The clean-up deletes only the program's own thumbnails: folders full of the
// user's look-alike files stay whole.
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
  std::string thumbs = Dir("pics/thumbs");
  for (const char* name : {"Beach_tn.jpg", "Sea_tn.jpg", "Sky_tn.jpg", "Lake_tn.jpg"})
    WriteFile(thumbs + "/" + name, Marked());
  WriteFile(thumbs + "/notes.jpg", Marked());  // no mark in its name
  WriteFile(pics_ + "/beach.GIF", "");         // any letter case keeps the thumbnail
  host_.while_asked = [&] {
    WriteFile(pics_ + "/Sky.bmp", "");             // restored while asked
    WriteFile(thumbs + "/Lake_tn.jpg", "mine");    // the user's own file put in its place
    WriteFile(thumbs + "/Late_tn.jpg", Marked());  // never shown, so never deleted
  };
  CleanOrphanThumbs(thumbs, pics_, ThumbNaming(), &host_);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0], kQuestion + thumbs + "/Lake_tn.jpg\r\n" + thumbs +
                                    "/Sea_tn.jpg\r\n" + thumbs + "/Sky_tn.jpg\r\n");
  EXPECT_EQ(Listing(thumbs),
            (Names{"Beach_tn.jpg", "Lake_tn.jpg", "Late_tn.jpg", "Sky_tn.jpg", "notes.jpg"}));
}

// Old pages and thumbnails in folders the run may not change stay, each told.
TEST_F(CleanupTest, FilesThatCannotBeDeletedAreTold) {
  std::string thumbs = Dir("pics/thumbs");
  temp_.Write("pics/old.htm", "x");
  WriteFile(thumbs + "/gone_tn.jpg", Marked());
  chmod(temp_.path().c_str(), 0755);
  for (const std::string& dir : {pics_, thumbs}) chmod(dir.c_str(), 0555);
  std::string told = RunUnprivileged([&] {
    DeleteOldHtml(pics_, false, &host_);
    CleanOrphanThumbs(thumbs, pics_, ThumbNaming(), &host_);
    std::string text;
    for (const std::string& warning : host_.warnings) text += warning + "\n";
    return text;
  });
  for (const std::string& dir : {pics_, thumbs}) chmod(dir.c_str(), 0755);
  EXPECT_EQ(told, pics_ + "/old.htm: the old page cannot be deleted (Permission denied)\n" +
                      thumbs +
                      "/gone_tn.jpg: the thumbnail cannot be deleted (Permission denied)\n");
  EXPECT_TRUE(Exists(pics_ + "/old.htm") && Exists(thumbs + "/gone_tn.jpg"));
}

// Pictures of the user's that are named like thumbnails, beside the pictures
// or in the thumbnail folder, are never taken for orphans, whatever the naming.
TEST_F(CleanupTest, LookAlikePicturesAreNeverListed) {
  std::string thumbs = Dir("pics/thumbs");
  for (const char* name : {"sat_tnight.jpg", "lonely_tn.jpg", "autumn_tn_walk.jpg", "_tnx.jpg"}) {
    WriteFile(pics_ + "/" + name, Unmarked());
    WriteFile(thumbs + "/" + name, "not even a JPEG");
  }
  fs::create_symlink(pics_ + "/lonely_tn.jpg", thumbs + "/link_tn.jpg");
  const ThumbNaming namings[] = {{"_tn", false, false, false},
                                 {"_tn", true, false, false},
                                 {"_tn", false, true, false},
                                 {"", false, true, false}};
  for (const ThumbNaming& naming : namings) {
    const std::string& folder = naming.store_in_sub ? thumbs : pics_;
    EXPECT_EQ(FindOrphanThumbs(folder, pics_, naming), std::vector<std::string>{})
        << naming.affix << naming.before << naming.store_in_sub;
    CleanOrphanThumbs(folder, pics_, naming, &host_);
  }
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_EQ(fs::file_size(pics_ + "/lonely_tn.jpg"), Unmarked().size());
}

// A thumbnail folder that is a link leads to files that are not the
// gallery's own, even when another gallery's thumbnails are among them.
TEST_F(CleanupTest, ThumbnailFolderThatIsALinkIsNeverCleaned) {
  std::string elsewhere = Dir("elsewhere");
  WriteFile(elsewhere + "/holiday_tn.jpg", Marked());
  fs::create_directory_symlink(elsewhere, pics_ + "/thumbs");
  EXPECT_TRUE(FindOrphanThumbs(pics_ + "/thumbs", pics_, ThumbNaming()).empty());
  CleanOrphanThumbs(pics_ + "/thumbs", pics_, ThumbNaming(), &host_);
  EXPECT_TRUE(host_.questions.empty());
  EXPECT_TRUE(Exists(elsewhere + "/holiday_tn.jpg"));
}

TEST_F(CleanupTest, NamesCannotForgeLinesOfTheQuestion) {
  std::string thumbs = Dir("pics/thumbs");
  std::string forged = "x\r\n(nothing else will be deleted)\t\x1B[2J_tn.jpg";
  WriteFile(thumbs + "/" + forged, Marked());
  host_.answer = false;
  CleanOrphanThumbs(thumbs, pics_, ThumbNaming(), &host_);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0],
            kQuestion + thumbs + "/x\\r\\n(nothing else will be deleted)\\t\\x1B[2J_tn.jpg\r\n");
  EXPECT_TRUE(Exists(thumbs + "/" + forged));
}

// A whole run over pictures named like thumbnails and a Latin-1 name:
// thumbnails are made and kept, only a real orphan goes.
TEST_F(CleanupTest, RunsKeepTheUsersPicturesAndNamesThatAreNotUtf8) {
  for (const char* name : {"caf\xE9.jpg", "sat_tnight.jpg", "lonely_tn.jpg", "gone.jpg"})
    Small(pics_ + "/" + name);
  const AdvancedSettings beside = Advanced("StoreInSub=0\nCleanHouse=1");
  const ExpressSettings express = Express("ExpressCleanHouse=1");
  for (bool advanced : {true, false})
    for (int run = 0; run < 2; ++run) Run(advanced, Input({pics_}), beside, express);
  EXPECT_TRUE(host_.questions.empty());
  for (const char* made : {"caf\xE9_tn.jpg", "gone_tn.jpg", "thumbs/caf\xE9_tn.jpg"})
    EXPECT_TRUE(Exists(pics_ + "/" + made)) << made;
  fs::remove(pics_ + "/gone.jpg");
  Run(true, Input({pics_}), beside, express);
  ASSERT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(host_.questions[0], kQuestion + pics_ + "/gone_tn.jpg\r\n");
  for (const char* kept : {"sat_tnight.jpg", "lonely_tn.jpg", "caf\xE9.jpg", "caf\xE9_tn.jpg"})
    EXPECT_TRUE(Exists(pics_ + "/" + kept)) << kept;
  EXPECT_FALSE(Exists(pics_ + "/gone_tn.jpg"));
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
