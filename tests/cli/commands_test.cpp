#include "cli/commands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>

#include "settings/advanced_config.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { err_ = std::tmpfile(); }
  void TearDown() override { std::fclose(err_); }

  std::string Path(const std::string& name) { return temp_.Path(name); }
  void Write(const std::string& name, const std::string& text) { temp_.Write(name, text); }

  TempFolder temp_;
  std::FILE* err_ = nullptr;
};

TEST_F(CommandsTest, LaterSourcesOverrideEarlierOnes) {
  Write("nd.ini",
        "[General]\r\nMode=adv\r\n[JPEG]\r\nQuality=50\r\nResizeMethod=Width\r\nHeight=90\r\n"
        "Width=80\r\nProgressive=1\r\n[DIRs]\r\n1=/from/state/\r\n#=1\r\n");
  Write("a.cfe",
        "[Express]\r\nQuality=60\r\nExpressUpdate=True\r\nExpressOverwrite=0\r\n"
        "ExpressFontName=Serif\r\n");
  Write("list.dir", "/from/list/\r\n");
  ProcessArgs args;
  args.state = Path("nd.ini");
  PreparedRun run;
  std::string err;
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_TRUE(run.advanced);  // the state's mode
  EXPECT_EQ(run.input.thumbs.Quality, 50);
  EXPECT_EQ(run.input.directories, std::vector<std::string>{"/from/state/"});

  args.configs = {Path("a.cfe")};
  args.dir_list = Path("list.dir");
  args.height = "120";
  args.progressive = 0;
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_FALSE(run.advanced);  // the kind of the one configuration file
  EXPECT_EQ(run.input.thumbs.Quality, 60);
  EXPECT_EQ(run.input.thumbs.Height, "120");  // the flag wins
  EXPECT_EQ(run.input.thumbs.Width, "0");     // the .cfe's missing Width
  EXPECT_EQ(run.input.thumbs.Progressive, 0);
  EXPECT_EQ(run.express_settings.ExpressFontName, "Serif");
  EXPECT_EQ(run.input.directories, std::vector<std::string>{"/from/list/"});

  args.mode = "advanced";
  args.dirs = {"/given"};
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_TRUE(run.advanced);
  EXPECT_EQ(run.input.directories, std::vector<std::string>{"/given"});
}

// Damaged or missing files, and settings that would let the clean-up reach
// the pictures, are refused before anything is written.
TEST_F(CommandsTest, BadInputIsAUsageErrorNamingFileAndField) {
  Write("bad.cfe", "[Express]\r\nQuality=0\r\n");
  Write("x.txt", "");
  Write("notes.ini", "just some notes\n");
  fs::create_directories(Path("folder.cfg"));
  fs::create_directories(Path("pics"));
  Write("pics/photo.jpeg", "mine");
  AdvancedSettings up;
  up.SubFolderName = "..";
  up.ThumbExt = "";
  up.CleanHouse = "1";
  std::string message;
  ASSERT_TRUE(SaveAdvancedConfig(Path("up.cfg"), up, ThumbOptions(), &message)) << message;
  const struct {
    std::string config, state, dir;
    std::string message;
  } cases[] = {
      {Path("bad.cfe"), "", "/d",
       Path("bad.cfe") + ": Quality is missing or not between 1 and 100"},
      {Path("none.cfg"), "", "/d", Path("none.cfg") + ": no such file"},
      {Path("x.txt"), "", "/d", Path("x.txt") + ": not a configuration file (.cfg or .cfe)"},
      {Path("folder.cfg"), "", "/d", Path("folder.cfg") + ": not a regular file"},
      {"", "", "", "no directories to process: give DIR arguments, --dir-list or --state"},
      // A state file that is not one gives no thumbnail size.
      {"", Path("notes.ini"), "/d",
       Path("notes.ini") + ": Height is \"0\": a thumbnail side must be from 1 to 32767 pixels; "
                           "set it with --height or --width"},
      {Path("up.cfg"), "", Path("pics"),
       Path("up.cfg") + ": SubFolderName is \"..\": the thumbnail folder must be one plain "
                        "folder name, not empty, \".\", \"..\" or holding \"/\""},
  };
  for (const auto& c : cases) {
    ProcessArgs args;
    if (!c.config.empty()) args.configs = {c.config};
    if (!c.dir.empty()) args.dirs = {c.dir};
    args.state = c.state;
    args.answer = DeleteAnswer::kYes;
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(ProcessCommand(args, err), 2) << c.message;
    EXPECT_EQ(ReadAll(err), "kesto-cli: " + c.message + "\n");
    std::fclose(err);
  }
  EXPECT_EQ(fs::directory_iterator(Path("pics"))->path(), Path("pics/photo.jpeg"));
}

// Ctrl-C ends the run before its next picture; the status tells the caller.
TEST_F(CommandsTest, CtrlCStopsTheRunWithStatus130) {
  fs::create_directories(Path("pics"));
  for (int i = 0; i < 300; ++i)
    fs::copy_file(KESTO_TEST_DATA "/pictures/small.jpg",
                  Path("pics/" + std::to_string(i) + ".jpg"));
  ProcessArgs args;
  args.quiet = true;
  args.jobs = 1;
  args.dirs = {Path("pics")};
  pid_t child = fork();
  if (child == 0) {
    signal(SIGINT, SIG_DFL);
    int status = ProcessCommand(args, err_);
    std::fflush(err_);
    _exit(status);
  }
  while (!fs::exists(Path("pics/thumbs")) || fs::is_empty(Path("pics/thumbs"))) usleep(1000);
  kill(child, SIGINT);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_EQ(ReadAll(err_), "kesto-cli: stopped; thumbnails already made are kept\n");
  EXPECT_FALSE(fs::exists(Path("pics/page1.html")));
}

TEST_F(CommandsTest, ConfigInitWritesInitialValuesAndNeverReplacesAFile) {
  std::string cfg = Path("new.cfg");
  EXPECT_EQ(ConfigInitCommand(cfg, err_), 0);
  EXPECT_EQ(ConfigInitCommand(Path("new.txt"), err_), 2);
  EXPECT_EQ(ReadAll(err_), "kesto-cli: " + Path("new.txt") + ": name a .cfg or .cfe file\n");
  std::FILE* out = std::tmpfile();
  EXPECT_EQ(ConfigShowCommand(cfg, out, err_), 0);
  std::string all = ReadAll(out);
  std::fclose(out);
  EXPECT_TRUE(all.starts_with("Quality=75\n")) << all;
  for (const char* line : {"\nPageTitle=Page\n", "\nAsSuffix=True\n", "\nUseMetaRevisit=0\n"})
    EXPECT_NE(all.find(line), std::string::npos) << line;
}

}  // namespace
