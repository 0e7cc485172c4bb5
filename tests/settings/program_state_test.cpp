#include "settings/program_state.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "settings/record_fields.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace {

ProgramState Parse(const std::string& text) {
  ProgramState state;
  ParseProgramState(text, &state);
  return state;
}

using List = std::vector<std::string>;

}  // namespace

TEST(ProgramStateTest, WriteAndReadRestoreTheState) {
  TempFolder dir;
  ProgramState saved;
  saved.Express = saved.LoadLast = true;
  saved.Thumbs = kThumbs;
  saved.DirectoryList = {"/home/a/pics", "/b c/d", "/e"};
  std::string err;
  ASSERT_TRUE(WriteProgramState(dir.Path("nd.ini"), saved, &err)) << err;
  EXPECT_EQ(dir.Read("nd.ini"),
            "[General]\r\nMode=exp\r\nLoadLast=1\r\n[JPEG]\r\nQuality=42\r\nResizeMethod=Both\r\n"
            "Height=120\r\nWidth=90\r\nProgressive=1\r\n[DIRs]\r\n1=/home/a/pics\r\n2=/b c/d\r\n"
            "3=/e\r\n#=3\r\n");
  ProgramState loaded;
  ASSERT_TRUE(ReadProgramState(dir.Path("nd.ini"), &loaded, &err)) << err;
  EXPECT_TRUE(loaded.Express && loaded.LoadLast);
  ExpectThumbsAsSaved(loaded.Thumbs);
  EXPECT_EQ(loaded.DirectoryList, saved.DirectoryList);
}

TEST(ProgramStateTest, ModeAndLoadLastReadings) {
  struct Case {
    const char* general;
    bool express;
    bool load_last;
  } cases[] = {{"Mode=exp\r\nLoadLast=1", true, true},
               {"Mode=EXP\r\nLoadLast=1.0", false, true},
               {"Mode=\"exp  \"\r\nLoadLast=2", true, false},
               {"mode=adv\r\nLoadLast= 1", false, true},
               {"", false, false}};
  for (const Case& c : cases) {
    ProgramState state = Parse(std::string("[General]\r\n") + c.general + "\r\n");
    EXPECT_EQ(state.Express, c.express) << c.general;
    EXPECT_EQ(state.LoadLast, c.load_last) << c.general;
  }
}

TEST(ProgramStateTest, TheCountEndsTheDirectoryList) {
  struct Case {
    const char* dirs;
    List expected;
  } cases[] = {{"1=/a\r\n2=/b\r\n#=3", {"/a", "/b", "<no value>"}},
               {"1=/a\r\n2=/b\r\n3=/c\r\n#=2", {"/a", "/b"}},
               {"1=/a\r\n#=2.9", {"/a", "<no value>"}},
               {"1=/a\r\n#=-1", {}},
               {"1=/a", {}},
               {"01=/a\r\n #=1", {"<no value>"}}};
  for (const Case& c : cases)
    EXPECT_EQ(Parse(std::string("[DIRs]\r\n") + c.dirs + "\r\n").DirectoryList, c.expected)
        << c.dirs;
  EXPECT_EQ(Parse("[DIRs]\r\n#=1e9\r\n").DirectoryList.size(), size_t{kMaxDirectoryEntries});
}

TEST(ProgramStateTest, AShorterListLeavesTheOldKeysInTheFile) {
  ProgramState state;
  state.DirectoryList = {"/a", "/b", "/c"};
  std::string text = UpdateProgramState("", state);
  state.DirectoryList = {"/x"};
  text = UpdateProgramState(text, state);
  EXPECT_NE(text.find("[DIRs]\r\n1=/x\r\n2=/b\r\n3=/c\r\n#=1\r\n"), std::string::npos) << text;
  EXPECT_EQ(Parse(text).DirectoryList, List{"/x"});
}

TEST(ProgramStateTest, MissingThumbnailKeys) {
  ProgramState state = Parse("[JPEG]\r\nHeight=12px\r\nProgressive=5\r\n");
  EXPECT_EQ(state.Thumbs.Quality, 75);  // 0 is not a quality: kept
  EXPECT_EQ(state.Thumbs.ResizeMethod, "<no value>");
  EXPECT_EQ(state.Thumbs.Height, "12");
  EXPECT_EQ(state.Thumbs.Width, "0");
  EXPECT_EQ(state.Thumbs.Progressive, 0);
  EXPECT_EQ(Parse("[JPEG]\r\nQuality=30\r\n").Thumbs.Quality, 30);
}

TEST(ProgramStateTest, TheStateFolderIsTheProgramFolderWhenWritable) {
  TempFolder dir;
  std::filesystem::create_directory(dir.Path("prog"));
  std::filesystem::create_directory(dir.Path("data"));
  dir.Write("data/nd.ini", "[General]\r\nMode=exp\r\n");
  dir.Write("data/default.tpl", "<HTML>[IMAGE FILE NAME]</HTML>\r\n");
  StateFolderInputs in{dir.Path("prog/"), dir.Path("xdg"), dir.Path("home"), dir.Path("data"), ""};
  std::string folder, err;
  ASSERT_TRUE(PrepareStateFolder(in, &folder, &err)) << err;
  EXPECT_EQ(folder, dir.Path("prog"));
  EXPECT_EQ(dir.Read("prog/nd.ini"), "[General]\r\nMode=exp\r\n");
  EXPECT_EQ(dir.Read("prog/default.tpl"), "<HTML>[IMAGE FILE NAME]</HTML>\r\n");
  dir.Write("prog/nd.ini", "mine");
  dir.Write("prog/default.tpl", "my template");
  ASSERT_TRUE(PrepareStateFolder(in, &folder, &err)) << err;
  EXPECT_EQ(dir.Read("prog/nd.ini"), "mine");
  EXPECT_EQ(dir.Read("prog/default.tpl"), "my template");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("xdg")));
}

TEST(ProgramStateTest, EachShippedDefaultIsCopiedOnItsOwn) {
  TempFolder dir;
  std::filesystem::create_directory(dir.Path("data"));
  dir.Write("data/default.tpl", "template");
  std::filesystem::create_directory(dir.Path("state"));
  dir.Write("state/nd.ini", "mine");
  StateFolderInputs in{"", "", "", dir.Path("data"), dir.Path("state")};
  std::string folder, err;
  ASSERT_TRUE(PrepareStateFolder(in, &folder, &err)) << err;
  EXPECT_EQ(dir.Read("state/nd.ini"), "mine");
  EXPECT_EQ(dir.Read("state/default.tpl"), "template");

  std::filesystem::remove(dir.Path("data/default.tpl"));
  std::filesystem::create_directory(dir.Path("data/default.tpl"));  // cannot be read
  in.named_folder = dir.Path("state2");
  EXPECT_FALSE(PrepareStateFolder(in, &folder, &err));
  EXPECT_NE(err.find("data/default.tpl"), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(dir.Path("state2/default.tpl")));
}

TEST(ProgramStateTest, TheStateFolderFallsBackToTheUserConfigFolder) {
  TempFolder dir;
  std::filesystem::create_directory(dir.Path("data"));
  dir.Write("data/nd.ini", "[General]\r\n");
  struct Case {
    std::string xdg;
    std::string home;
    std::string data_folder;
    std::string folder;  // "" when the call fails
    bool copied;
  } cases[] = {
      {dir.Path("xdg"), dir.Path("home"), dir.Path("data"), dir.Path("xdg/kesto"), true},
      {"relative", dir.Path("home"), dir.Path("data"), dir.Path("home/.config/kesto"), true},
      {"", dir.Path("home2"), "", dir.Path("home2/.config/kesto"), false},
      {"", dir.Path("home3"), dir.Path("no-data"), dir.Path("home3/.config/kesto"), false},
      {"", "", dir.Path("data"), "", false},
  };
  for (const Case& c : cases) {
    StateFolderInputs in{dir.Path("missing-prog"), c.xdg, c.home, c.data_folder, ""};
    std::string folder, err;
    EXPECT_EQ(PrepareStateFolder(in, &folder, &err), !c.folder.empty()) << c.home;
    EXPECT_EQ(folder, c.folder);
    if (!c.folder.empty()) {
      EXPECT_TRUE(std::filesystem::is_directory(c.folder)) << c.folder;
      EXPECT_EQ(std::filesystem::exists(c.folder + "/nd.ini"), c.copied) << c.folder;
    } else {
      EXPECT_EQ(err, "no folder for the settings: neither XDG_CONFIG_HOME nor HOME is set");
    }
  }
}

TEST(ProgramStateTest, AReadOnlyProgramFolderIsNotUsed) {
  TempFolder dir;
  chmod(dir.path().c_str(), 0777);  // the user's own folder is made in it
  std::filesystem::create_directory(dir.Path("prog"));
  chmod(dir.Path("prog").c_str(), 0555);
  StateFolderInputs in{dir.Path("prog"), dir.Path("xdg"), "", "", ""};
  EXPECT_EQ(RunUnprivileged([&] {
              std::string folder, err;
              return PrepareStateFolder(in, &folder, &err) ? folder : err;
            }),
            dir.Path("xdg/kesto"));
}
