#include "run/run.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "engine/run/fake_host.h"
#include "run/run_report_text.h"
#include "settings/settings_transfer.h"
#include "settings/text.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace fs = std::filesystem;

namespace {

class RunTest : public ::testing::Test {
 protected:
  std::string Dir(const std::string& name) {
    fs::create_directories(temp_.Path(name));
    return temp_.Path(name);
  }
  static void Copy(const std::string& fixture, const std::string& to) {
    fs::copy_file(std::string(KESTO_TEST_DATA) + "/pictures/" + fixture, to);
  }
  static void Touch(const std::string& path, const std::string& text = "x") {
    std::ofstream(path) << text;
  }
  static bool Exists(const std::string& path) { return fs::exists(path); }

  RunInput Input(std::vector<std::string> dirs) {
    RunInput input;
    input.directories = std::move(dirs);
    input.workers = 2;
    return input;
  }

  TempFolder temp_;
  FakeHost host_;
  RunReport report_;
};

TEST_F(RunTest, EmptyListShowsNothing) {
  Process(false, Input({}), AdvancedSettings(), ExpressSettings(), &host_, &report_);
  EXPECT_TRUE(host_.progress.empty());
  EXPECT_TRUE(host_.reports.empty());
}

TEST_F(RunTest, MissingDirectoryIsReportedAndTheOthersRun) {
  std::string pics = Dir("pics");
  Copy("small.jpg", pics + "/a.jpg");
  Copy("small.gif", pics + "/b.GIF");
  std::string missing = temp_.Path("gone") + "/";
  Process(false, Input({pics + "/", missing}), AdvancedSettings(), ExpressSettings(), &host_,
          &report_);
  EXPECT_TRUE(Exists(pics + "/thumbs/a_tn.jpg"));
  EXPECT_TRUE(Exists(pics + "/thumbs/b_tn.jpg"));
  EXPECT_TRUE(Exists(pics + "/page1.html"));
  EXPECT_EQ(report_.InvalidPaths, missing + "\r\n");
  ASSERT_EQ(host_.reports.size(), 1u);
  EXPECT_EQ(host_.reports[0], "Invalid paths:\r\n---------------------\r\n" + missing +
                                  "\r\n---------------------\r\n\r\n");
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
              Process(false, Input({locked}), AdvancedSettings(), ExpressSettings(), &host_,
                      &report_);
              return report_.InvalidPaths;
            }),
            locked + "\r\n");
  chmod(locked.c_str(), 0700);
  EXPECT_FALSE(Exists(locked + "/thumbs"));
}

TEST_F(RunTest, NothingDueShowsNoProgressButWritesPages) {
  std::string pics = Dir("pics");
  Copy("small.jpg", pics + "/a.jpg");
  Dir("pics/thumbs");
  Copy("small.jpg", pics + "/thumbs/a_tn.jpg");
  Touch(pics + "/old.htm");
  ExpressSettings express;
  express.ExpressDelHTML = "1";
  Process(false, Input({pics + "///"}), AdvancedSettings(), express, &host_, &report_);
  EXPECT_TRUE(host_.progress.empty());
  EXPECT_FALSE(Exists(pics + "/old.htm"));
  EXPECT_TRUE(Exists(pics + "/page1.html"));
  EXPECT_FALSE(Exists(pics + "////page1.html/"));
}

TEST_F(RunTest, ExpressSkipsLowerCaseMarkOnly) {
  std::string pics = Dir("pics");
  Copy("small.jpg", pics + "/Sea_tn.jpg");
  Copy("small.jpg", pics + "/Sea_TN.jpg");
  Process(false, Input({pics}), AdvancedSettings(), ExpressSettings(), &host_, &report_);
  EXPECT_FALSE(Exists(pics + "/thumbs/Sea_tn_tn.jpg"));
  EXPECT_TRUE(Exists(pics + "/thumbs/Sea_TN_tn.jpg"));
}

TEST_F(RunTest, CorruptPicturesAreReportedInListOrder) {
  std::string pics = Dir("pics");
  Touch(pics + "/b.jpg", "not a picture");
  Touch(pics + "/a.bmp", "");
  Copy("small.jpg", pics + "/c.jpg");
  Process(true, Input({pics}), AdvancedSettings(), ExpressSettings(), &host_, &report_);
  ASSERT_EQ(host_.reports.size(), 1u);
  EXPECT_EQ(host_.reports[0],
            "Thumbs could not be written. Corrupted source files:\r\n---------------------\r\n" +
                pics + "/a.bmp\r\n" + pics + "/b.jpg\r\n---------------------\r\n\r\n");
  EXPECT_TRUE(report_.CorruptedFiles.empty());  // emptied once shown
  EXPECT_TRUE(Exists(pics + "/thumbs/c_tn.jpg"));
  EXPECT_TRUE(Exists(pics + "/page_01.html"));
  EXPECT_EQ(host_.warnings,  // each with its reason
            (std::vector<std::string>{
                "no thumbnail of " + pics + "/a.bmp: empty file",
                "no thumbnail of " + pics + "/b.jpg: not a picture in a readable format"}));
}

TEST_F(RunTest, PagesThatCannotBeWrittenAreTold) {
  std::string pics = Dir("pics");
  Copy("small.jpg", pics + "/a.jpg");
  Dir("pics/page1.html");  // a folder where the first page belongs
  Dir("pics/page_01.html");
  Process(false, Input({pics}), AdvancedSettings(), ExpressSettings(), &host_, &report_);
  Process(true, Input({pics}), AdvancedSettings(), ExpressSettings(), &host_, &report_);
  ASSERT_EQ(host_.warnings.size(), 2u);
  EXPECT_EQ(host_.warnings[0],
            "the pages stopped early: " + pics + "/page1.html: cannot be written (Is a directory)");
  EXPECT_EQ(host_.warnings[1], "the pages stopped early: " + pics +
                                   "/page_01.html: cannot be written (Is a directory)");
  EXPECT_TRUE(host_.reports.empty());  // the report itself has no place for it
}

TEST_F(RunTest, StopEndsTheRunWithinTheSecondDirectory) {
  std::string first = Dir("first"), second = Dir("second"), third = Dir("third");
  for (const std::string& dir : {first, second, third})
    for (int i = 0; i < 8; ++i) Copy("small.jpg", dir + "/p" + std::to_string(i) + ".jpg");
  // STOP once the second directory has made its first thumbnail.
  host_.stop_when = [](const FakeHost& h) {
    return !h.progress.empty() && h.progress.back().dir_index == 1 && h.progress.back().value > 1;
  };
  RunInput input = Input({first, second, third, temp_.Path("gone")});
  input.workers = 1;
  Process(false, input, AdvancedSettings(), ExpressSettings(), &host_, &report_);
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
  Copy("small.jpg", first + "/a.jpg");
  Copy("small.jpg", third + "/c.jpg");
  Touch(empty + "/old.htm");
  host_.stop_when = [](const FakeHost& h) {
    return !h.progress.empty() && h.progress.back().value == h.progress.back().maximum;
  };
  ExpressSettings express;
  express.ExpressDelHTML = "1";
  Process(false, Input({first, empty, third}), AdvancedSettings(), express, &host_, &report_);
  EXPECT_TRUE(Exists(first + "/thumbs/a_tn.jpg"));
  EXPECT_FALSE(Exists(empty + "/old.htm"));
  EXPECT_TRUE(Exists(third + "/thumbs"));  // the folder comes before the first picture
  EXPECT_FALSE(Exists(third + "/thumbs/c_tn.jpg"));
}

TEST_F(RunTest, RelativeFoldersAreTakenFromTheWorkingFolder) {
  std::string pics = Dir("my.cams/gallery");
  Copy("small.jpg", pics + "/a.jpg");
  Touch(pics + "/old.HTML");  // deleted: the full path holds ".c"
  AdvancedSettings advanced;
  advanced.DelHTML = "1";
  advanced.FromDir = "1";
  fs::path before = fs::current_path();
  fs::current_path(temp_.Path("my.cams"));
  Process(true, Input({"gallery/"}), advanced, ExpressSettings(), &host_, &report_);
  fs::current_path(before);
  EXPECT_FALSE(Exists(pics + "/old.HTML"));
  EXPECT_NE(ReadFile(pics + "/page_01.html").find("<TITLE> gallery 1"), std::string::npos);
}

TEST_F(RunTest, OldPagesGoByModeMasks) {
  std::string pics = Dir("pics");
  for (const char* name : {"readme.js", "index.HTML", "x.shtml", "keep.txt", "a.asp", "b.c"})
    Touch(pics + "/" + name);
  DeleteOldHtml(pics, false);
  EXPECT_TRUE(Exists(pics + "/readme.js"));
  EXPECT_TRUE(Exists(pics + "/index.HTML"));  // the mask matches, the path holds no ".html"
  EXPECT_FALSE(Exists(pics + "/x.shtml"));
  DeleteOldHtml(pics, true);
  EXPECT_FALSE(Exists(pics + "/readme.js"));
  EXPECT_FALSE(Exists(pics + "/a.asp"));
  EXPECT_FALSE(Exists(pics + "/b.c"));
  EXPECT_TRUE(Exists(pics + "/keep.txt"));
}

// Settings that would make the run write or delete outside the gallery's
// own files, or fail every picture, stop it before it touches anything.
TEST_F(RunTest, SettingsThatWouldHarmFilesAreRefusedBeforeTheRun) {
  std::string pics = Dir("parent/pics");
  Copy("small.jpg", pics + "/photo.jpeg");
  Touch(temp_.Path("parent/photo_tn.jpg"));
  const struct {
    const char* sub;
    const char* resize;
    const char* height;
    const char* width;
  } cases[] = {{"", "Height", "100", "100"},       {".", "Height", "100", "100"},
               {"..", "Height", "100", "100"},     {" .. ", "Height", "100", "100"},
               {"a/b", "Height", "100", "100"},    {"thumbs", "Both", "0", "120"},
               {"thumbs", "Both", "120", "40000"}, {"thumbs", "Width", "0", "0.4"}};
  for (const auto& c : cases) {
    AdvancedSettings advanced;
    advanced.ThumbExt = "";
    advanced.SubFolderName = c.sub;
    advanced.CleanHouse = "1";
    RunInput input = Input({pics});
    input.thumbs.ResizeMethod = c.resize;
    input.thumbs.Height = c.height;
    input.thumbs.Width = c.width;
    host_.answer = true;
    Process(true, input, advanced, ExpressSettings(), &host_, &report_);
    EXPECT_EQ(temp_.Count(), 1u) << c.sub << c.resize;
    EXPECT_EQ(fs::directory_iterator(pics)->path().filename(), "photo.jpeg") << c.sub << c.resize;
    EXPECT_TRUE(Exists(temp_.Path("parent/photo_tn.jpg")));
  }
  ASSERT_EQ(host_.warnings.size(), std::size(cases));
  EXPECT_EQ(host_.warnings[2],
            "SubFolderName is \"..\": the thumbnail folder must be one plain folder name, not "
            "empty, \".\", \"..\" or holding \"/\"");
  EXPECT_EQ(host_.warnings[5], "Height is \"0\": a thumbnail side must be from 1 to 32767 pixels");
  EXPECT_EQ(host_.warnings[7], "Width is \"0.4\": a thumbnail side must be from 1 to 32767 pixels");
  EXPECT_TRUE(host_.reports.empty() && host_.questions.empty());
}

TEST_F(RunTest, APageAtALinkIsReplacedNotWrittenThrough) {
  std::string pics = Dir("pics");
  Copy("small.jpg", pics + "/a.jpg");
  Touch(temp_.Path("precious.html"), "precious");
  fs::create_symlink(temp_.Path("precious.html"), pics + "/page1.html");
  Process(false, Input({pics}), AdvancedSettings(), ExpressSettings(), &host_, &report_);
  EXPECT_EQ(ReadFile(temp_.Path("precious.html")), "precious");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(pics + "/page1.html")));
  EXPECT_TRUE(ReadFile(pics + "/page1.html").starts_with(kUtf8Bom));
}

// Writes fail past a few hundred bytes, as on a full disk: the pages that
// were there stay whole, and no page is left empty or cut off.
TEST_F(RunTest, AFullDiskLeavesEveryPageWhole) {
  std::string pics = Dir("pics");
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) Copy("small.jpg", pics + "/" + name);
  ExpressSettings express;
  express.ExpressSepPage = "1";
  Process(false, Input({pics}), AdvancedSettings(), express, &host_, &report_);
  std::string old_index = ReadFile(pics + "/page1.html");
  Copy("small.jpg", pics + "/d.jpg");
  express.ExpressPageTitle = "Changed";
  pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{900, 900};
    setrlimit(RLIMIT_FSIZE, &limit);
    FakeHost host;
    Process(false, Input({pics}), AdvancedSettings(), express, &host, &report_);
    _exit(host.warnings.empty() ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failures were not told";
  EXPECT_EQ(ReadFile(pics + "/page1.html"), old_index);
  for (const auto& entry : fs::directory_iterator(pics)) {
    if (entry.path().extension() == ".html") {
      EXPECT_TRUE(ReadFile(entry.path()).ends_with("</BODY></HTML>\r\n")) << entry.path();
    }
    EXPECT_FALSE(entry.path().filename().string().starts_with(".kesto-")) << entry.path();
  }
}

TEST_F(RunTest, PicturesSharingABaseNameAreTold) {
  std::string pics = Dir("pics");
  for (const char* name :
       {"Beach.jpg", "Beach.gif", "Beach.bmp", "beach.jpeg", "x_tn.jpg", "x.gif"})
    Touch(pics + "/" + name);
  Process(false, Input({pics}), AdvancedSettings(), ExpressSettings(), &host_, &report_);
  EXPECT_EQ(std::count_if(host_.warnings.begin(), host_.warnings.end(),
                          [](const std::string& w) { return w.find(" share ") != w.npos; }),
            1);
  EXPECT_NE(std::find(host_.warnings.begin(), host_.warnings.end(),
                      pics + ": Beach.bmp, Beach.gif and Beach.jpg share one thumbnail and one "
                             "picture page"),
            host_.warnings.end());
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
  std::string pics = Dir("pics");
  Copy("small.jpg", pics + "/a.jpg");
  std::string picture = ReadFile(pics + "/a.jpg");
  Process(true, Input({pics}), settings, ExpressSettings(), &host_, &report_);
  EXPECT_EQ(ReadFile(pics + "/a.jpg"), picture);
  EXPECT_TRUE(host_.progress.empty());
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(pics)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.jpg", "page_01.html"}));
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

}  // namespace
