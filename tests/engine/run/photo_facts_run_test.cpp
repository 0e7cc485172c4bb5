// Runs that show or sort by the pictures' metadata: the order of the pages,
// the facts in them and the cache that keeps the facts between runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "run/photo_facts_cache.h"
#include "run/run.h"
#include "settings/text.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// The folder holds pictures whose names and dates disagree, and two undated.
class PhotoRun : public ::testing::Test, RunHost {
 protected:
  void SetUp() override {
    for (const char* name : {"zebra.jpg", "apple.jpg", "mango.jpg", "banana.jpg", "cherry.gif"})
      fs::copy_file(std::string(KESTO_TEST_DATA) + "/photos/" + name, folder_.Path(name));
  }
  std::vector<std::string> Run(bool advanced, bool by_date) {
    RunInput input;
    input.directories = {folder_.path()};
    input.sort_by_date = by_date;
    RunReport report;
    warnings_.clear();
    Process(advanced, input, advanced_, express_, this, &report);
    return warnings_;
  }
  void ShowProgress(const ProgressState&) override {}
  void HideProgress() override {}
  bool PollStop() override { return false; }
  void SetStatusVisible(bool) override {}
  bool ConfirmDelete(const std::string&) override { return false; }
  void ShowReport(const std::string&) override {}
  void Warn(const std::string& text) override { warnings_.push_back(text); }
  std::string Cache() const { return folder_.Read("thumbs/" + std::string(kFactsCacheName)); }

  TempFolder folder_;
  std::vector<std::string> warnings_;
  AdvancedSettings advanced_;
  ExpressSettings express_;
};

TEST_F(PhotoRun, PagesFollowTheDateTakenWithUndatedPicturesLast) {
  advanced_.CellCode = "[IMAGE FILE NAME] [DATE TAKEN] [EXPOSURE]|";
  advanced_.Cols = "9";
  advanced_.GenMenu = "0";
  advanced_.DateFormat = "%e %b %Y";
  Run(true, true);
  std::string page = folder_.Read("page_01.html");
  EXPECT_NE(page.find("<TR>\r\nmango.jpg  4 Mar 2018 2 s, f/2.8|\r\nzebra.jpg  1 May 2019 1/250 s, "
                      "f/8, ISO 100, 35 mm|\r\napple.jpg  2 Jan 2020 |\r\nbanana.jpg  |\r\n"
                      "cherry.gif  |\r\n</TR>"),
            page.npos)
      << page;
  express_.ExpressShowDate = express_.ExpressShowCaption = express_.ExpressSepPage = "1";
  express_.ExpressShowName = express_.ExpressShowSize = "0";
  Run(false, true);
  page = folder_.Read("page1.html");
  std::vector<size_t> places;
  for (const char* thumb : {"mango_tn", "zebra_tn", "apple_tn", "banana_tn", "cherry_tn"})
    places.push_back(page.find(thumb));
  EXPECT_TRUE(std::is_sorted(places.begin(), places.end()) && places.back() != page.npos) << page;
  for (const std::string& text : {page, folder_.Read("zebra.html")})
    EXPECT_NE(text.find("<br>2019-05-01 08:00<br>Zebra &amp; friends</FONT>"), text.npos) << text;
  EXPECT_NE(folder_.Read("zebra.html").find("\"mango.html\">Previous"), std::string::npos);
}

// Without an option that needs them the pictures' metadata is never read.
TEST_F(PhotoRun, TheCacheIsReusedAndRefreshedWhenAPictureChanges) {
  Run(false, false);
  Run(true, false);
  EXPECT_FALSE(fs::exists(folder_.Path("thumbs/" + std::string(kFactsCacheName))));
  express_.ExpressShowCaption = "1";
  Run(false, false);
  std::string cache = Cache();
  ASSERT_TRUE(cache.starts_with(kFactsCacheMark));
  // A caption only the cache knows shows that the picture was not read again.
  folder_.Write("thumbs/.kesto-facts", ReplaceAll(cache, "Zebra & friends", "From\\tthe cache"));
  Run(false, false);
  EXPECT_NE(folder_.Read("page1.html").find("From\tthe cache"), std::string::npos);
  fs::last_write_time(folder_.Path("zebra.jpg"),
                      fs::last_write_time(folder_.Path("zebra.jpg")) + std::chrono::seconds(5));
  fs::remove(folder_.Path("apple.jpg"));
  Run(false, false);
  EXPECT_NE(folder_.Read("page1.html").find("Zebra &amp; friends"), std::string::npos);
  EXPECT_EQ(Cache().find("apple.jpg"), std::string::npos);
}

// A file of the user's at the cache's path, or a link there, stays as it is.
TEST_F(PhotoRun, AFileThatIsNotTheCacheIsLeftAlone) {
  express_.ExpressShowDate = "1";
  fs::create_directory(folder_.Path("thumbs"));
  folder_.Write("elsewhere", "mine\n");
  const std::string cache = folder_.Path("thumbs/.kesto-facts");
  for (bool link : {false, true}) {
    fs::remove(cache);
    link ? fs::create_symlink(folder_.Path("elsewhere"), cache) : WriteFile(cache, "mine\n");
    EXPECT_EQ(Run(false, true), std::vector<std::string>{
                                    cache + " is not KESTO's metadata cache: it is left as it is"});
    EXPECT_EQ(Cache(), "mine\n");
    EXPECT_EQ(fs::is_symlink(cache), link);
    EXPECT_NE(folder_.Read("page1.html").find("<br>2018-03-04 05:06"), std::string::npos);
  }
  EXPECT_EQ(folder_.Read("elsewhere"), "mine\n");
}

}  // namespace
