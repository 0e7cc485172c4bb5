#include "settings/program_state.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/record_fields.h"
#include "temp_folder.h"

namespace {

// What a state holds: mode, load last, directories, thumbnail options.
std::string Text(const ProgramState& state) {
  std::string text = std::to_string(state.Express) + "|" + std::to_string(state.LoadLast) + "|";
  for (const std::string& dir : state.DirectoryList) text += dir + ",";
  return text + "|" + ThumbsText(state.Thumbs);
}

std::string Parsed(const std::string& text) {
  ProgramState state;
  ParseProgramState(text + "\r\n", &state);
  return Text(state);
}

}  // namespace

TEST(ProgramStateTest, WriteAndReadRestoreTheState) {
  TempFolder dir;
  ProgramState saved, loaded;
  saved.Express = saved.LoadLast = true;
  saved.Thumbs = kThumbs;
  saved.DirectoryList = {"/home/a/pics", "/b c/d", "/e"};
  std::string err;
  ASSERT_TRUE(WriteProgramState(dir.Path("nd.ini"), saved, &err)) << err;
  EXPECT_EQ(dir.Read("nd.ini"),
            "[General]\r\nMode=exp\r\nLoadLast=1\r\n[JPEG]\r\nQuality=42\r\nResizeMethod=Both\r\n"
            "Height=120\r\nWidth=90\r\nProgressive=1\r\n[DIRs]\r\n1=/home/a/pics\r\n2=/b c/d\r\n"
            "3=/e\r\n#=3\r\n");
  saved.DirectoryList = {"/x"};
  ASSERT_TRUE(WriteProgramState(dir.Path("nd.ini"), saved, &err)) << err;
  EXPECT_TRUE(dir.Read("nd.ini").ends_with("[DIRs]\r\n1=/x\r\n2=/b c/d\r\n3=/e\r\n#=1\r\n"));
  ASSERT_TRUE(ReadProgramState(dir.Path("nd.ini"), &loaded, &err)) << err;
  EXPECT_EQ(Text(loaded), Text(saved));
}

TEST(ProgramStateTest, ReadingsOfTheKeys) {
  const std::pair<const char*, std::string> cases[] = {
      {"[General]\r\nMode=exp\r\nLoadLast=1", "1|1||1|<no value>|0|0|0"},
      {"[General]\r\nMode=EXP\r\nLoadLast=1.0", "0|1|"},
      {"[General]\r\nMode=\"exp  \"\r\nLoadLast=2", "1|0|"},
      // The count ends the list.
      {"[DIRs]\r\n1=/a\r\n2=/b\r\n#=3", "0|0|/a,/b,<no value>,"},
      {"[DIRs]\r\n01=/a\r\n #=1", "0|0|<no value>,"},
      // A missing Quality reads 0, brought into the range as the scroll bar takes it.
      {"[JPEG]\r\nHeight=12px\r\nProgressive=5", "0|0||1|<no value>|12|0|0"},
      {"[JPEG]\r\nQuality=500", "0|0||100|<no value>|0|0|0"}};
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Parsed(text).substr(0, expected.size()), expected) << text;
  ProgramState state;
  ParseProgramState("[DIRs]\r\n#=1e9\r\n", &state);
  EXPECT_EQ(state.DirectoryList.size(), size_t{kMaxDirectoryEntries});
}

// The folder and what its nd.ini and default.tpl hold, or the error.
std::string Prepared(const StateFolderInputs& in) {
  std::string folder, err;
  if (!PrepareStateFolder(in, &folder, &err)) return err;
  return folder + (std::filesystem::is_directory(folder) ? ": " : " (not made): ") +
         ReadFile(folder + "/nd.ini") + "|" + ReadFile(folder + "/default.tpl");
}

TEST(ProgramStateTest, TheStateFolderIsFoundOrMadeAndGetsTheShippedDefaults) {
  TempFolder dir;
  for (const char* folder : {"prog", "prog2", "data", "bad-data", "kept-nd", "kept-tpl"})
    std::filesystem::create_directory(dir.Path(folder));
  dir.Write("data/nd.ini", "nd");
  dir.Write("data/default.tpl", "tpl");
  std::filesystem::create_directory(dir.Path("bad-data/default.tpl"));  // cannot be read
  dir.Write("kept-nd/nd.ini", "mine");
  dir.Write("kept-tpl/default.tpl", "my template");
  dir.Write("file", "");
  const std::string data = dir.Path("data"), gone = dir.Path("missing-prog");
  const std::pair<StateFolderInputs, std::string> cases[] = {
      {{dir.Path("prog/"), dir.Path("xdg-unused"), dir.Path("home"), data, ""},
       dir.Path("prog") + ": nd|tpl"},
      {{dir.Path("prog2"), "", "", data, dir.Path("a/b/")}, dir.Path("a/b") + ": nd|tpl"},
      {{gone, "", "", data, dir.Path("kept-nd")}, dir.Path("kept-nd") + ": mine|tpl"},
      {{gone, "", "", data, dir.Path("kept-tpl")}, dir.Path("kept-tpl") + ": nd|my template"},
      {{gone, dir.Path("xdg"), dir.Path("home"), data, ""}, dir.Path("xdg/kesto") + ": nd|tpl"},
      {{dir.Path("prog"), dir.Path("xdg2"), "", data, "", /*installed=*/true},
       dir.Path("xdg2/kesto") + ": nd|tpl"},
      {{gone, "relative", dir.Path("home"), data, ""}, dir.Path("home/.config/kesto") + ": nd|tpl"},
      {{gone, "", dir.Path("home2"), "", ""}, dir.Path("home2/.config/kesto") + ": |"},
      {{gone, "", "", data, ""},
       "no folder for the settings: neither XDG_CONFIG_HOME nor HOME is set"},
      {{gone, "", "", data, dir.Path("file/sub")},
       dir.Path("file/sub") + ": cannot be made (Not a directory)"},
      {{gone, "", "", dir.Path("bad-data"), dir.Path("state")},
       dir.Path("bad-data/default.tpl") + ": is not a regular file"},
  };
  for (const auto& [in, result] : cases) EXPECT_EQ(Prepared(in), result);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("xdg-unused")));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path("prog2")));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("state/default.tpl")));
}
