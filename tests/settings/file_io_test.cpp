#include "settings/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "settings/dir_list.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace fs = std::filesystem;
using List = std::vector<std::string>;

struct FileIoTest : testing::Test {
  TempFolder dir;
  std::string err;
};
using DirListTest = FileIoTest;

// A write replaces the file keeping its permissions; one that fails, at the
// rename or for want of rights, keeps the old file; none leaves anything else.
TEST_F(FileIoTest, WriteReplacesTheFileOnlyWhenItCan) {
  ASSERT_TRUE(WriteFileAtomic(dir.Path("a.cfg"), "first\r\n", &err)) << err;
  chmod(dir.Path("a.cfg").c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomic(dir.Path("a.cfg"), "second", &err)) << err;
  struct stat info;
  ASSERT_EQ(stat(dir.Path("a.cfg").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  ASSERT_TRUE(WriteFileAtomic(dir.Path(std::string(255, 'a')), "x", &err)) << err;  // longest
  fs::create_directory(dir.Path("taken"));
  dir.Write("taken/inside", "x");
  EXPECT_FALSE(WriteFileAtomic(dir.Path("taken"), "new", &err));
  EXPECT_EQ(err, dir.Path("taken") + ": cannot be written (Is a directory)");
  chmod(dir.path().c_str(), 0555);
  EXPECT_EQ(RunUnprivileged(
                [&] { return WriteFileAtomic(dir.Path("a.cfg"), "new", &err) ? "written" : err; }),
            dir.Path("a.cfg") + ": cannot be written (Permission denied)");
  EXPECT_EQ(dir.Read("a.cfg") + dir.Read("taken/inside") + std::to_string(dir.Count()), "secondx3");
}

TEST_F(FileIoTest, OnlyTemporaryFilesOfEndedProcessesAreRemoved) {
  pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  std::string of_gone = ".kesto-" + std::to_string(gone) + "-3.tmp";
  std::string of_living = ".kesto-" + std::to_string(getppid()) + "-0.tmp";
  const List names = {of_gone, of_living, ".kesto-x-1.tmp", "photo_tn.jpg"};
  for (const std::string& name : names) dir.Write(name, "x");
  RemoveAbandonedTemps(dir.path(), names);
  EXPECT_FALSE(fs::exists(dir.Path(of_gone)));
  EXPECT_EQ(dir.Count(), 3u);
}

TEST_F(FileIoTest, ReadRefusesWhatIsNotASmallRegularFile) {
  dir.Write("ten", "0123456789");
  mkfifo(dir.Path("pipe").c_str(), 0600);
  // Name, largest size taken, error ("" when the read succeeds).
  const std::tuple<const char*, size_t, std::string> cases[] = {
      {"ten", 10, ""},
      {"ten", 9, ": is larger than 9 bytes"},
      {"none", 10, ": cannot be opened (No such file or directory)"},
      {".", 10, ": is not a regular file"},
      {"pipe", 10, ": is not a regular file"}};
  for (const auto& [name, max_size, error] : cases) {
    std::string text = "stale";
    err.clear();
    EXPECT_EQ(ReadWholeFile(dir.Path(name), &text, &err, max_size), error.empty()) << name;
    EXPECT_EQ(err, error.empty() ? "" : dir.Path(name) + error) << name;
    EXPECT_EQ(text, error.empty() ? "0123456789" : "") << name;
  }
}

TEST_F(DirListTest, FieldsEndAtLineEndsAndCommas) {
  const std::pair<const char*, List> cases[] = {
      {"/a\r\n/b c\r\n", {"/a", "/b c"}},
      {"   \xEF\xBB\xBF\r\n/b", {"/b"}},  // a mark and nothing else is no entry
      {" /a , ,/b ,\r", {"/a", "/b"}},
      {"\t/a\t", {"\t/a\t"}},  // only blanks are trimmed
      {",,\r\n\r\n", {}}};
  for (const auto& [text, dirs] : cases) EXPECT_EQ(ParseDirList(text), dirs) << text;
}

TEST_F(DirListTest, SaveWritesOneLinePerEntryAndAFailedLoadChangesNothing) {
  List dirs = {"/home/a/pics", "/b c/é", "/x"}, loaded = {"old"};
  ASSERT_TRUE(SaveDirList(dir.Path("l.dir"), dirs, &err)) << err;
  EXPECT_EQ(dir.Read("l.dir"), "/home/a/pics\r\n/b c/é\r\n/x\r\n");
  ASSERT_TRUE(LoadDirList(dir.Path("l.dir"), &loaded, &err)) << err;
  EXPECT_FALSE(LoadDirList(dir.Path("none.dir"), &loaded, &err));
  EXPECT_EQ(loaded, dirs);
}
