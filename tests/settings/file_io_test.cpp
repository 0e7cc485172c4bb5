#include "settings/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "temp_folder.h"
#include "unprivileged.h"

namespace fs = std::filesystem;

TEST(FileIoTest, WriteReplacesTheFileAndLeavesNothingElse) {
  TempFolder dir;
  std::string err;
  ASSERT_TRUE(WriteFileAtomic(dir.Path("a.cfg"), "first\r\n", &err)) << err;
  ASSERT_TRUE(WriteFileAtomic(dir.Path("a.cfg"), "second", &err)) << err;
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.Path("a.cfg"), &text, &err)) << err;
  EXPECT_EQ(text, "second");
  EXPECT_EQ(dir.Count(), 1u);
  std::string longest(255, 'a');  // the longest name a folder takes
  ASSERT_TRUE(WriteFileAtomic(dir.Path(longest), "x", &err)) << err;
  EXPECT_EQ(dir.Count(), 2u);
}

TEST(FileIoTest, OnlyTemporaryFilesOfEndedProcessesAreRemoved) {
  TempFolder dir;
  pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  std::string of_gone = ".kesto-" + std::to_string(gone) + "-3.tmp";
  std::string of_living = ".kesto-" + std::to_string(getppid()) + "-0.tmp";
  std::vector<std::string> names = {of_gone, of_living, ".kesto-x-1.tmp", "photo_tn.jpg"};
  for (const std::string& name : names) dir.Write(name, "x");
  RemoveAbandonedTemps(dir.path(), names);
  EXPECT_FALSE(fs::exists(dir.Path(of_gone)));
  EXPECT_EQ(dir.Count(), 3u);
}

TEST(FileIoTest, WriteKeepsThePermissionsOfTheOldFile) {
  TempFolder dir;
  dir.Write("a.cfe", "old");
  chmod(dir.Path("a.cfe").c_str(), 0640);
  std::string err;
  ASSERT_TRUE(WriteFileAtomic(dir.Path("a.cfe"), "new", &err)) << err;
  struct stat info;
  ASSERT_EQ(stat(dir.Path("a.cfe").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(FileIoTest, FailedRenameDeletesTheTemporaryFile) {
  TempFolder dir;
  fs::create_directory(dir.Path("taken"));
  dir.Write("taken/inside", "x");
  std::string err;
  EXPECT_FALSE(WriteFileAtomic(dir.Path("taken"), "new", &err));
  EXPECT_EQ(err, dir.Path("taken") + ": cannot be written (Is a directory)");
  EXPECT_EQ(dir.Count(), 1u);
  EXPECT_EQ(dir.Read("taken/inside"), "x");
}

TEST(FileIoTest, ReadOnlyFolderKeepsTheOldFile) {
  TempFolder dir;
  dir.Write("a.dir", "old\r\n");
  chmod(dir.path().c_str(), 0555);
  EXPECT_EQ(RunUnprivileged([&] {
              std::string err;
              return WriteFileAtomic(dir.Path("a.dir"), "new", &err) ? "written" : err;
            }),
            dir.Path("a.dir") + ": cannot be written (Permission denied)");
  EXPECT_EQ(dir.Read("a.dir"), "old\r\n");
  EXPECT_EQ(dir.Count(), 1u);
}

TEST(FileIoTest, ReadRefusesWhatIsNotASmallRegularFile) {
  TempFolder dir;
  dir.Write("ten", "0123456789");
  mkfifo(dir.Path("pipe").c_str(), 0600);
  struct Case {
    std::string name;
    size_t max_size;
    std::string error;  // "" when the read succeeds
  } cases[] = {
      {"ten", 10, ""},
      {"ten", 9, ": is larger than 9 bytes"},
      {"none", 10, ": cannot be opened (No such file or directory)"},
      {".", 10, ": is not a regular file"},
      {"pipe", 10, ": is not a regular file"},
  };
  for (const Case& c : cases) {
    std::string text = "stale", err;
    EXPECT_EQ(ReadWholeFile(dir.Path(c.name), &text, &err, c.max_size), c.error.empty()) << c.name;
    EXPECT_EQ(err, c.error.empty() ? "" : dir.Path(c.name) + c.error) << c.name;
    EXPECT_EQ(text, c.error.empty() ? "0123456789" : "") << c.name;
  }
  std::string text, err;
  dir.Write("big", std::string(kMaxSettingsFileSize + 1, 'x'));
  EXPECT_FALSE(ReadWholeFile(dir.Path("big"), &text, &err));
  EXPECT_EQ(err, dir.Path("big") + ": is larger than 16 MB");
}
