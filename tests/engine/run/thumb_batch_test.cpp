#include "run/thumb_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "engine/pictures/thumb_fixtures.h"
#include "pages/picture_list.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using thumb_test::Jpeg;

Names Words(const std::string& text) {
  Names words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST(PlanThumbnailsTest, ChoosesTheDueThumbnailsInListOrder) {
  // Naming; the pictures; the thumbnails ("*": the program's own), in "thumbs"; the due.
  const std::tuple<const char*, bool, bool, const char*, const char*, bool, const char*> cases[] = {
      {"_tn", true, false, "a.jpg b.gif", "a_tn.jpg", true, "b.gif"},
      {"_tn", true, false, "Beach.gif Beach.jpg", "", true, "Beach.gif"},  // planned earlier
      {"_tn", false, true, "p.jpg p_tn.jpg q.gif", "p_tn.jpg *q_tn.jpg", false, "q.gif kept:p.jpg"},
      {"", true, false, "a.jpg b.gif", "a.jpg", true, "b.gif"},
      {"", false, true, "a.jpg b.gif", "", false, ""},
      {"", true, true, "a.jpg b.gif", "", false, ""},  // the subfolder is the folder
  };
  for (const auto& [affix, store_in_sub, overwrite, names, present, in_sub, due_names] : cases) {
    SCOPED_TRACE(std::string(affix) + " " + names + " | " + present);
    TempFolder dir;
    fs::create_directory(dir.Path("thumbs"));
    std::string thumb_dir = in_sub ? dir.Path("thumbs") : dir.path();
    std::vector<PictureFile> pictures;
    for (const std::string& p : Words(names)) pictures.push_back({p, 1});
    for (const std::string& t : Words(present))
      WriteFile(thumb_dir + "/" + (t[0] == '*' ? t.substr(1) : t), t[0] == '*' ? Jpeg(2, 2) : "x");
    std::vector<ThumbTask> kept;
    Names due;
    for (const ThumbTask& t : PlanThumbnails(dir.path(), thumb_dir, pictures,
                                             {affix, false, store_in_sub, overwrite}, &kept))
      due.push_back(t.name);
    for (const ThumbTask& t : kept) due.push_back("kept:" + t.name);
    EXPECT_EQ(due, Words(due_names));
  }
}

// A folder or a link at a thumbnail's path is kept; "t/" before names a folder.
TEST(PlanThumbnailsTest, FillsInPathsAndCountsOnlyRegularFilesAsExisting) {
  TempFolder dir;
  fs::create_directories(dir.Path("thumbs/b.c_tn.jpg"));
  fs::create_symlink("gone.jpg", dir.Path("thumbs/c_tn.jpg"));
  std::vector<ThumbTask> kept,
      due = PlanThumbnails(dir.path(), dir.Path("thumbs"),
                           {{"noext", 10}, {"b.c.jpeg", 20}, {"c.jpg", 30}}, {}, &kept);
  ASSERT_EQ(due.size() * 10 + kept.size(), 12u);
  EXPECT_EQ(due[0].thumb_path + " " + std::to_string(kept[0].index) + kept[0].picture +
                std::to_string(kept[0].size) + kept[0].thumb_path + kept[1].name,
            dir.Path("thumbs/noext_tn.jpg") + " 1" + dir.Path("b.c.jpeg") + "20" +
                dir.Path("thumbs/b.c_tn.jpg") + "c.jpg");
  fs::create_directories(dir.Path("thumbs/t"));
  WriteFile(dir.Path("thumbs/t/a.jpg"), "made earlier");
  EXPECT_TRUE(
      PlanThumbnails(dir.path(), dir.Path("thumbs"), {{"a.jpg", 10}}, {"t/", true}).empty());
}

// STOP once `stop_after` pictures started; `wrong`: finished before started,
// or written though an error was told.
struct FakeListener : ThumbListener {
  explicit FakeListener(int stop_after_starts = -1) : stop_after(stop_after_starts) {}
  void Starting(const ThumbTask& task) override { started.push_back(task.index); }
  void Finished(const ThumbTask& task, bool written, const std::string& error) override {
    wrong += std::count(started.begin(), started.end(), task.index) <=
             std::count(finished.begin(), finished.end(), task.index);
    wrong += written != error.empty();
    finished.push_back(task.index);
    unwritten += !written;
  }
  bool Poll() override { return stop_after >= 0 && int(started.size()) >= stop_after; }
  int stop_after, unwritten = 0, wrong = 0;
  std::vector<size_t> started, finished;
};

// A folder of pictures; every third one is broken.
struct Folder {
  TempFolder dir;
  Names broken;
  explicit Folder(int count) {
    fs::create_directory(dir.Path("thumbs"));
    for (int i = 0; i < count; ++i) {
      std::string name = "p" + std::to_string(100 + i) + ".jpg";
      WriteFile(dir.Path(name), i % 3 == 1 ? std::string("broken") : Jpeg(640, 480));
      if (i % 3 == 1) broken.push_back(dir.Path(name));
    }
  }
  std::vector<ThumbTask> Plan(bool doubles = false) const {
    return PlanThumbnails(dir.path(), dir.Path("thumbs"), ListPictures(dir.path()),
                          {.doubles = doubles});
  }
};

// STOP once `stop` pictures started (-1: never).
TEST(RunThumbnailBatchTest, ListsBrokenPicturesInListOrderAndStopStartsNoNewPicture) {
  const std::pair<int, int> rows[] = {{0, -1}, {1, -1}, {2, -1}, {5, -1}, {2, 0}, {2, 1}};
  for (const auto& [workers, stop] : rows) {
    SCOPED_TRACE(workers * 10 + stop);
    Folder folder(12);
    FakeListener listener(stop);
    bool doubles = workers >= 2 && stop < 0;
    Names corrupted =
        RunThumbnailBatch(folder.Plan(doubles), 100, ThumbOptions(), workers, &listener);
    size_t files = doubles + 1, started = listener.started.size();
    EXPECT_EQ(listener.finished.size() * 10 + listener.wrong, started * 10);
    if (stop < 0) {
      EXPECT_EQ(corrupted, folder.broken);
      EXPECT_EQ(started * 100 + listener.unwritten, 1204 * files);  // 12 files, 4 broken
      EXPECT_EQ(fs::exists(folder.dir.Path("thumbs/p100_tn@2x.jpg")), doubles);
      continue;
    }
    EXPECT_TRUE(stop ? started >= 1 && started < 12 : started == 0);
    for (const std::string& path : corrupted) {
      size_t index = std::stoul(path.substr(path.size() - 7, 3)) - 100;
      EXPECT_EQ(std::count(listener.started.begin(), listener.started.end(), index), 1) << path;
    }
  }
}

// a.bmp, a.gif, a.jpeg, a.jpg all make thumbs/a_tn.jpg; the last one listed wins.
TEST(RunThumbnailBatchTest, WritesASharedThumbnailPathInListOrder) {
  TempFolder dir;
  fs::create_directory(dir.Path("thumbs"));
  WriteFile(dir.Path("a.bmp"),
            thumb_test::Bmp(1600, 1200, 24, false, thumb_test::Solid({250, 0, 0})));
  WriteFile(dir.Path("a.gif"), ReadFile(KESTO_TEST_DATA "/thumbs/interlaced.gif"));
  WriteFile(dir.Path("a.jpeg"), Jpeg(1200, 900, thumb_test::Solid({0, 250, 0})));
  WriteFile(dir.Path("a.jpg"), Jpeg(40, 30, thumb_test::Solid({0, 0, 250})));
  std::vector<ThumbTask> tasks =
      PlanThumbnails(dir.path(), dir.Path("thumbs"), ListPictures(dir.path()), {.overwrite = true});
  ASSERT_EQ(tasks.back().name, "a.jpg");
  for (int round = 0; round < 5; ++round) {
    fs::remove(dir.Path("thumbs/a_tn.jpg"));
    EXPECT_TRUE(RunThumbnailBatch(tasks, 100, ThumbOptions(), 4, nullptr).empty());
    thumb_test::Rgb c =
        thumb_test::PixelAt(thumb_test::Decode(dir.Path("thumbs/a_tn.jpg")), 60, 50);
    EXPECT_TRUE(c.b > 200 && c.r < 50) << "round " << round;
  }
}

}  // namespace
