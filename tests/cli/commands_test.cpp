#include "cli/commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

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
  std::string Errors() {
    std::rewind(err_);
    std::string text;
    for (int c; (c = std::fgetc(err_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

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

TEST_F(CommandsTest, DamagedOrMissingFilesAreUsageErrorsNamingTheFile) {
  Write("bad.cfe", "[Express]\r\nQuality=0\r\n");
  Write("x.txt", "");
  struct Case {
    std::string config, message;
  } cases[] = {{Path("bad.cfe"), Path("bad.cfe") + ": Quality"},
               {Path("none.cfg"), Path("none.cfg") + ": no such file"},
               {Path("x.txt"), "not a configuration file"}};
  for (const Case& c : cases) {
    ProcessArgs args;
    args.configs = {c.config};
    args.dirs = {temp_.path()};
    EXPECT_EQ(ProcessCommand(args, err_), 2) << c.config;
    EXPECT_NE(Errors().find(c.message), std::string::npos) << Errors();
  }
  ProcessArgs no_dirs;
  EXPECT_EQ(ProcessCommand(no_dirs, err_), 2);
  fs::create_directories(temp_.Path("folder.cfg"));
  ProcessArgs folder;
  folder.configs = {Path("folder.cfg")};
  folder.dirs = {temp_.path()};
  EXPECT_EQ(ProcessCommand(folder, err_), 2);
  EXPECT_NE(Errors().find(Path("folder.cfg") + ": not a regular file"), std::string::npos);
  // A state file that is not one gives no thumbnail size: refused before the run.
  Write("notes.ini", "just some notes\n");
  ProcessArgs state;
  state.state = Path("notes.ini");
  state.dirs = {temp_.path()};
  EXPECT_EQ(ProcessCommand(state, err_), 2);
  EXPECT_NE(Errors().find("kesto-cli: " + Path("notes.ini") +
                          ": Height is \"0\": a thumbnail side must be from 1 to 32767 "
                          "pixels; set it with --height or --width\n"),
            std::string::npos)
      << Errors();
  EXPECT_FALSE(fs::exists(temp_.Path("thumbs")));
}

TEST_F(CommandsTest, ExitStatusTellsWhetherAReportWasShown) {
  fs::create_directories(temp_.Path("pics"));
  ProcessArgs args;
  args.quiet = true;
  args.dirs = {Path("pics")};
  EXPECT_EQ(ProcessCommand(args, err_), 0);
  EXPECT_TRUE(fs::exists(temp_.Path("pics/thumbs")));
  args.dirs.push_back(Path("missing"));
  EXPECT_EQ(ProcessCommand(args, err_), 1);
  EXPECT_NE(Errors().find("Invalid paths:\n---------------------\n" + Path("missing") + "\n"),
            std::string::npos)
      << Errors();
}

// A thumbnail folder name that would let the clean-up reach the pictures or
// another folder is refused before anything is written.
TEST_F(CommandsTest, ABadThumbnailFolderNameIsRefusedNamingFileAndField) {
  fs::create_directories(Path("pics"));
  Write("pics/photo.jpeg", "mine");
  AdvancedSettings bad;
  bad.SubFolderName = "..";
  bad.ThumbExt = "";
  bad.CleanHouse = "1";
  std::string message;
  ASSERT_TRUE(SaveAdvancedConfig(Path("bad.cfg"), bad, ThumbOptions(), &message)) << message;
  ProcessArgs args;
  args.configs = {Path("bad.cfg")};
  args.dirs = {Path("pics")};
  args.answer = DeleteAnswer::kYes;
  EXPECT_EQ(ProcessCommand(args, err_), 2);
  EXPECT_EQ(Errors(), "kesto-cli: " + Path("bad.cfg") +
                          ": SubFolderName is \"..\": the thumbnail folder must be one plain "
                          "folder name, not empty, \".\", \"..\" or holding \"/\"\n");
  EXPECT_EQ(fs::directory_iterator(Path("pics"))->path(), Path("pics/photo.jpeg"));
}

TEST_F(CommandsTest, ConfigInitWritesInitialValuesAndNeverReplacesAFile) {
  std::string cfe = Path("new.cfe"), cfg = Path("new.cfg");
  EXPECT_EQ(ConfigInitCommand(cfe, err_), 0);
  EXPECT_EQ(ConfigInitCommand(cfg, err_), 0);
  EXPECT_EQ(ConfigInitCommand(cfg, err_), 2);
  EXPECT_EQ(ConfigInitCommand(Path("new.txt"), err_), 2);
  std::FILE* out = std::tmpfile();
  EXPECT_EQ(ConfigShowCommand(cfg, out, err_), 0);
  std::rewind(out);
  char first[64] = {};
  ASSERT_TRUE(std::fgets(first, sizeof first, out));
  EXPECT_STREQ(first, "Quality=75\n");
  std::string all(first);
  for (char line[4096]; std::fgets(line, sizeof line, out);) all += line;
  std::fclose(out);
  EXPECT_NE(all.find("\nPageTitle=Page\n"), std::string::npos);
  EXPECT_NE(all.find("\nAsSuffix=True\n"), std::string::npos);
  EXPECT_NE(all.find("\nUseMetaRevisit=0\n"), std::string::npos);
}

}  // namespace
