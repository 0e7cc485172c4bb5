// Runs with the opt-in choices: extra picture types and thumbnails for sharp
// screens. Without them a run takes and makes what it always did.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "pictures/vips_io.h"
#include "run/cleanup.h"
#include "run/run.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct QuietHost : RunHost {
  std::vector<ProgressState> progress;
  std::vector<std::string> warnings;
  std::vector<std::string> questions;
  std::string report;
  void ShowProgress(const ProgressState& state) override { progress.push_back(state); }
  void HideProgress() override {}
  bool PollStop() override { return false; }
  void SetStatusVisible(bool) override {}
  bool ConfirmDelete(const std::string& text) override {
    questions.push_back(text);
    return false;
  }
  void ShowReport(const std::string& text) override { report = text; }
  void Warn(const std::string& text) override { warnings.push_back(text); }
};

// How often `part` is in `text`.
size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

ExtraFormats Formats(const std::string& list) {
  ExtraFormats formats;
  std::string err;
  EXPECT_TRUE(ParseExtraFormats(list, &formats, &err)) << err;
  return formats;
}

class ChoicesTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(pics_); }

  void Copy(const std::string& fixture, const std::string& name) {
    fs::copy_file(std::string(KESTO_TEST_DATA) + "/" + fixture, pics_ + "/" + name);
  }
  void Run(const ExpressSettings& settings, ExtraFormats formats = {}) {
    RunInput input;
    input.directories = {pics_};
    input.workers = 2;
    input.formats = formats;
    host_ = QuietHost();
    Process(false, input, AdvancedSettings(), settings, &host_, &report_);
  }
  std::vector<std::string> Thumbs() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(pics_ + "/thumbs"))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  int64_t ProgressMaximum() const {
    return host_.progress.empty() ? 0 : host_.progress.back().maximum;
  }

  TempFolder temp_;
  std::string pics_ = temp_.Path("pics");
  QuietHost host_;
  RunReport report_;
};

using Names = std::vector<std::string>;

TEST_F(ChoicesTest, ExtraTypesAreTakenOnlyWhenChosenAndSortLikeTheOthers) {
  Copy("pictures/small.jpg", "b.jpg");
  Copy("thumbs/png-named.jpg", "a.PNG");
  Copy("thumbs/png-named.jpg", "b.png");
  Run(ExpressSettings());
  EXPECT_EQ(Thumbs(), Names{"b_tn.jpg"});
  EXPECT_EQ(temp_.Read("pics/page1.html").find("a.PNG"), std::string::npos);
  EXPECT_TRUE(host_.warnings.empty());

  Run(ExpressSettings(), Formats("png"));
  EXPECT_EQ(Thumbs(), (Names{"a_tn.jpg", "b_tn.jpg"}));
  std::string page = temp_.Read("pics/page1.html");
  EXPECT_LT(page.find("href=\"a.PNG\""), page.find("href=\"b.jpg\""));
  EXPECT_LT(page.find("href=\"b.jpg\""), page.find("href=\"b.png\""));
  EXPECT_EQ(host_.warnings,
            Names{pics_ + ": b.jpg and b.png share one thumbnail and one picture page"});
  EXPECT_EQ(host_.report, "");
}

TEST_F(ChoicesTest, CleanUpKeepsAThumbnailWhileItsPictureIsThereInAChosenType) {
  Copy("thumbs/png-named.jpg", "shot.png");
  Copy("pictures/small.jpg", "gone.jpg");
  ExpressSettings settings;
  settings.ExpressHiDpi = "1";
  Run(settings, Formats("png"));
  ASSERT_EQ(Thumbs(), (Names{"gone_tn.jpg", "gone_tn@2x.jpg", "shot_tn.jpg", "shot_tn@2x.jpg"}));
  fs::remove(pics_ + "/gone.jpg");
  ThumbNaming express;
  EXPECT_EQ(FindOrphanThumbs(pics_ + "/thumbs", pics_, express, Formats("png")),
            (Names{"gone_tn.jpg", "gone_tn@2x.jpg"}));
  // Without PNG chosen shot.png is no picture of the gallery.
  EXPECT_EQ(FindOrphanThumbs(pics_ + "/thumbs", pics_, express),
            (Names{"gone_tn.jpg", "gone_tn@2x.jpg", "shot_tn.jpg", "shot_tn@2x.jpg"}));

  // The affix before the name, thumbnails beside the pictures.
  ThumbNaming before{"tn_", true, false, false};
  fs::copy_file(pics_ + "/thumbs/shot_tn.jpg", pics_ + "/tn_shot.jpg");
  EXPECT_EQ(FindOrphanThumbs(pics_, pics_, before, Formats("png")), Names{});
  EXPECT_EQ(FindOrphanThumbs(pics_, pics_, before, Formats("tiff")), Names{"tn_shot.jpg"});
}

TEST_F(ChoicesTest, SharpScreensGetADoubleOfEachThumbnailMadeWhenMissing) {
  Copy("pictures/small.jpg", "a.jpg");  // 40 x 30
  WriteFile(pics_ + "/broken.jpg", "no picture at all");
  Run(ExpressSettings());
  EXPECT_EQ(Thumbs(), Names{"a_tn.jpg"});
  EXPECT_EQ(ProgressMaximum(), 3);  // a and broken
  EXPECT_EQ(Count(host_.report, "/broken.jpg\r\n"), 1u);

  ExpressSettings settings;
  settings.ExpressHiDpi = "1";
  Run(settings);
  EXPECT_EQ(Thumbs(), (Names{"a_tn.jpg", "a_tn@2x.jpg"}));
  EXPECT_EQ(ProgressMaximum(), 4);                        // a's double, and broken twice
  EXPECT_EQ(Count(host_.report, "/broken.jpg\r\n"), 1u);  // once, though both failed
  EXPECT_EQ(ReadFile(pics_ + "/thumbs/a_tn@2x.jpg").substr(0, 2), "\xFF\xD8");

  Run(settings);
  EXPECT_EQ(ProgressMaximum(), 3);  // nothing of a is due any more
}

}  // namespace
