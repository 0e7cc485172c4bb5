#include "run/thumb_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine/pictures/thumb_fixtures.h"
#include "pages/picture_list.h"

namespace {

using thumb_test::Jpeg;
using thumb_test::Rgb;

ThumbNaming Naming(const std::string& affix, bool before, bool store_in_sub, bool overwrite) {
  return {affix, before, store_in_sub, overwrite};
}

// The words of `text`, split at blanks.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST(ThumbFileNameTest, PutsTheAffixBeforeOrAfterTheBaseName) {
  EXPECT_EQ(ThumbFileName(Naming("_tn", true, true, false), "sunset.gif"), "_tnsunset.jpg");
  EXPECT_EQ(ThumbFileName(Naming("-small", false, true, false), "x.tar.jpeg"), "x.tar-small.jpg");
  EXPECT_EQ(ThumbFileName(Naming("_tn", false, true, false), "noext"), "noext_tn.jpg");
}

TEST(PlanThumbnailsTest, ChoosesTheDueThumbnailsInListOrder) {
  const struct {
    const char *name, *affix;
    bool before, store_in_sub, overwrite;
    const char *pictures, *thumbs_present;  // "*": the program's own thumbnail, else the user's
    bool in_sub;                            // thumbnails in "thumbs", else beside the pictures
    const char* due;
    const char* kept = "";  // due, but the file there is not the program's own
  } cases[] = {
      {"missing ones", "_tn", false, true, false, "a.jpg b.gif", "", true, "a.jpg b.gif"},
      {"existing kept", "_tn", false, true, false, "a.jpg b.gif", "a_tn.jpg", true, "b.gif"},
      {"planned earlier exists", "_tn", false, true, false, "Beach.gif Beach.jpg", "", true,
       "Beach.gif"},
      {"affix contained", "_tn", false, true, false, "Sea_TN.jpg Sea_tn.jpg", "", true,
       "Sea_TN.jpg"},
      // An existing thumbnail is remade, a file of the user's is not; a
      // picture named like a thumbnail is none.
      {"thumbnail among pictures", "_tn", false, false, true, "p.jpg p_tn.jpg", "*p_tn.jpg", false,
       "p.jpg"},
      {"user's file among pictures", "_tn", false, false, true, "p.jpg p_tn.jpg q.gif",
       "p_tn.jpg *q_tn.jpg", false, "q.gif", "p.jpg"},
      {"empty affix in subfolder", "", false, true, false, "a.jpg b.gif", "a.jpg", true, "b.gif"},
      {"empty affix beside", "", false, false, true, "a.jpg b.gif", "", false, ""},
      {"empty affix, subfolder is the folder", "", false, true, true, "a.jpg b.gif", "", false, ""},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    std::filesystem::create_directory(dir.Path("thumbs"));
    std::string thumb_dir = c.in_sub ? dir.Path("thumbs") : dir.path();
    std::vector<PictureFile> pictures;
    for (const std::string& p : Words(c.pictures)) {
      WriteFile(dir.Path(p), "x");
      pictures.push_back({p, 1});
    }
    for (const std::string& t : Words(c.thumbs_present))
      WriteFile(thumb_dir + "/" + (t[0] == '*' ? t.substr(1) : t), t[0] == '*' ? Jpeg(2, 2) : "x");
    std::vector<std::string> due, kept;
    std::vector<ThumbTask> kept_tasks;
    ThumbNaming naming = Naming(c.affix, c.before, c.store_in_sub, c.overwrite);
    for (const ThumbTask& t : PlanThumbnails(dir.path(), thumb_dir, pictures, naming, &kept_tasks))
      due.push_back(t.name);
    for (const ThumbTask& t : kept_tasks) kept.push_back(t.name);
    EXPECT_EQ(due, Words(c.due)) << c.name;
    EXPECT_EQ(kept, Words(c.kept)) << c.name;
  }
}

// A folder or a link at a thumbnail's path is no thumbnail: it is due, and
// kept as it is.
TEST(PlanThumbnailsTest, FillsInPathsAndCountsOnlyRegularFilesAsExisting) {
  TempFolder dir;
  std::filesystem::create_directories(dir.Path("thumbs/b_tn.jpg"));
  std::filesystem::create_symlink("gone.jpg", dir.Path("thumbs/c_tn.jpg"));
  std::vector<PictureFile> pictures = {{"a.jpg", 10}, {"b.jpg", 20}, {"c.jpg", 30}};
  std::vector<ThumbTask> kept;
  std::vector<ThumbTask> tasks = PlanThumbnails(dir.path(), dir.Path("thumbs"), pictures,
                                                Naming("_tn", false, true, false), &kept);
  ASSERT_EQ(tasks.size(), 1u);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(std::to_string(kept[0].index) + kept[0].picture + std::to_string(kept[0].size) +
                kept[0].thumb_path + kept[1].name,
            "1" + dir.Path("b.jpg") + "20" + dir.Path("thumbs/b_tn.jpg") + "c.jpg");
  // An affix that names a folder: the thumbnail there is found by its path.
  std::filesystem::create_directories(dir.Path("thumbs/t"));
  WriteFile(dir.Path("thumbs/t/a.jpg"), "made earlier");
  EXPECT_TRUE(PlanThumbnails(dir.path(), dir.Path("thumbs"), {{"a.jpg", 10}},
                             Naming("t/", true, true, false))
                  .empty());
}

// Records what the batch reports; asks for STOP once `stop_after` pictures
// were started.
struct FakeListener : ThumbListener {
  explicit FakeListener(int stop_after_starts = -1) : stop_after(stop_after_starts) {}
  void Starting(const ThumbTask& task) override {
    started.push_back(task.index);
    log.push_back("S" + std::to_string(task.index));
  }
  void Finished(const ThumbTask& task, bool written, const std::string& error) override {
    finished.push_back(task.index);
    log.push_back("F" + std::to_string(task.index));
    unwritten += !written;
    mismatched += written != error.empty();  // a fresh folder keeps no older thumbnail
  }
  bool Poll() override {
    ++polls;
    return stop_after >= 0 && static_cast<int>(started.size()) >= stop_after;
  }
  int stop_after;
  std::vector<size_t> started, finished;
  std::vector<std::string> log;  // "S3" started, "F3" finished, in call order
  int polls = 0, unwritten = 0;
  int mismatched = 0;  // pictures told written with an error, or failed without one
};

// A folder of pictures; every third one is broken.
struct Folder {
  TempFolder dir;
  std::vector<PictureFile> pictures;
  std::vector<std::string> broken;
  explicit Folder(int count) {
    std::filesystem::create_directory(dir.Path("thumbs"));
    for (int i = 0; i < count; ++i) {
      std::string name = "p" + std::to_string(100 + i) + ".jpg";
      bool bad = i % 3 == 1;
      WriteFile(dir.Path(name), bad ? std::string("broken") : thumb_test::Jpeg(640, 480));
      if (bad) broken.push_back(dir.Path(name));
    }
    pictures = ListPictures(dir.path());
  }
  std::vector<ThumbTask> Plan(bool doubles = false) const {
    ThumbNaming naming;
    naming.doubles = doubles;
    return PlanThumbnails(dir.path(), dir.Path("thumbs"), pictures, naming);
  }
};

// With doubles each file is told of on its own (a picture with its double
// is made from one decode), a broken picture listed once.
TEST(RunThumbnailBatchTest, ListsBrokenPicturesInListOrderWithAnyNumberOfWorkers) {
  for (int workers : {0, 1, 2, 5}) {
    Folder folder(12);
    FakeListener listener;
    bool doubles = workers >= 2;
    size_t files = doubles ? 2 : 1;
    std::vector<std::string> corrupted =
        RunThumbnailBatch(folder.Plan(doubles), 100, ThumbOptions(), workers, &listener);
    EXPECT_EQ(corrupted, folder.broken) << workers;
    EXPECT_EQ(listener.started.size(), 12 * files) << workers;
    EXPECT_EQ(listener.finished.size(), 12 * files) << workers;
    EXPECT_EQ(size_t(listener.unwritten), folder.broken.size() * files) << workers;
    EXPECT_EQ(listener.mismatched, 0) << workers;
    EXPECT_GE(listener.polls, 1) << workers;
    EXPECT_TRUE(std::filesystem::exists(folder.dir.Path("thumbs/p100_tn.jpg"))) << workers;
    EXPECT_EQ(std::filesystem::exists(folder.dir.Path("thumbs/p100_tn@2x.jpg")), doubles);
    for (auto at = listener.log.begin(); at != listener.log.end(); ++at)  // started, then finished
      if ((*at)[0] == 'F') {
        EXPECT_NE(std::find(listener.log.begin(), at, "S" + at->substr(1)), at);
      }
  }
}

TEST(RunThumbnailBatchTest, WritesASharedThumbnailPathInListOrder) {
  // a.bmp, a.gif, a.jpeg, a.jpg all make thumbs/a_tn.jpg; the last one listed wins.
  TempFolder dir;
  std::filesystem::create_directory(dir.Path("thumbs"));
  WriteFile(dir.Path("a.bmp"),
            thumb_test::Bmp(1600, 1200, 24, false, thumb_test::Solid({250, 0, 0})));
  WriteFile(dir.Path("a.gif"), ReadFile(KESTO_TEST_DATA "/thumbs/interlaced.gif"));
  WriteFile(dir.Path("a.jpeg"), thumb_test::Jpeg(1200, 900, thumb_test::Solid({0, 250, 0})));
  WriteFile(dir.Path("a.jpg"), thumb_test::Jpeg(40, 30, thumb_test::Solid({0, 0, 250})));
  std::vector<PictureFile> pictures = ListPictures(dir.path());
  ASSERT_EQ(pictures.back().name, "a.jpg");
  for (int round = 0; round < 5; ++round) {
    std::filesystem::remove(dir.Path("thumbs/a_tn.jpg"));
    std::vector<ThumbTask> tasks =
        PlanThumbnails(dir.path(), dir.Path("thumbs"), pictures, Naming("_tn", false, true, true));
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_TRUE(RunThumbnailBatch(tasks, 100, ThumbOptions(), 4, nullptr).empty());
    Rgb c = thumb_test::PixelAt(thumb_test::Decode(dir.Path("thumbs/a_tn.jpg")), 60, 50);
    EXPECT_GT(c.b, 200) << "round " << round;
    EXPECT_LT(c.r, 50) << "round " << round;
  }
}

TEST(RunThumbnailBatchTest, StopStartsNoNewPicture) {
  Folder folder(20);
  FakeListener at_once(0);
  EXPECT_TRUE(RunThumbnailBatch(folder.Plan(), 100, ThumbOptions(), 2, &at_once).empty());
  EXPECT_TRUE(at_once.started.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.dir.Path("thumbs/p100_tn.jpg")));

  // STOP seen after the first start: the pictures already taken are finished,
  // the rest are neither started nor listed as corrupted.
  FakeListener after_one(1);
  std::vector<std::string> corrupted =
      RunThumbnailBatch(folder.Plan(), 100, ThumbOptions(), 2, &after_one);
  EXPECT_GE(after_one.started.size(), 1u);
  EXPECT_LT(after_one.started.size(), 20u);
  EXPECT_EQ(after_one.finished.size(), after_one.started.size());
  for (const std::string& path : corrupted) {
    size_t index = std::stoul(path.substr(path.size() - 7, 3)) - 100;
    EXPECT_NE(std::find(after_one.started.begin(), after_one.started.end(), index),
              after_one.started.end())
        << path;
  }
}

}  // namespace
