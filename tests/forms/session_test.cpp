#include "forms/session.h"

#include <gtest/gtest.h>

#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "temp_folder.h"

namespace {

const char kLoadLastOn[] = "[General]\r\nMode=exp\r\nLoadLast=1\r\n[JPEG]\r\nQuality=40\r\n";

class SessionTest : public testing::Test {
 protected:
  // Writes a temp.cfg whose PageTitle "Saved" and thumbnail height "33" tell
  // it apart from the initial values.
  void WriteTempCfg() {
    AdvancedSettings settings;
    settings.PageTitle = "Saved";
    ThumbOptions thumbs;
    thumbs.Height = "33";
    dir.Write("temp.cfg", AdvancedConfigText(settings, thumbs));
  }
  StartUpResult Start() { return StartSession(dir.path(), &session, &err); }

  TempFolder dir;
  Session session;
  std::string err;
};

}  // namespace

TEST_F(SessionTest, AFolderWithoutStateFileIsReportedAndNothingIsRead) {
  WriteTempCfg();
  EXPECT_EQ(Start(), StartUpResult::kNoStateFile);
  EXPECT_EQ(session.advanced.PageTitle, AdvancedSettings().PageTitle);
  EXPECT_EQ(dir.Count(), 1u);
}

TEST_F(SessionTest, LoadLastOnReadsTheAutosavesThatExistOffNone) {
  dir.Write("nd.ini", kLoadLastOn);
  WriteTempCfg();
  ASSERT_EQ(Start(), StartUpResult::kReady) << err;
  EXPECT_TRUE(session.state.Express);
  // temp.cfg holds thumbnail options too; there is no tempexp.cfe yet.
  EXPECT_EQ(session.advanced.PageTitle + "|" + session.state.Thumbs.Height + "|" +
                session.express.ExpressPageTitle,
            "Saved|33|" + ExpressSettings().ExpressPageTitle);

  ExpressSettings express;
  express.ExpressPageTitle = "Express saved";
  ThumbOptions thumbs;
  thumbs.Height = "44";
  dir.Write("tempexp.cfe", UpdateExpressConfig("", express, thumbs));
  ASSERT_EQ(Start(), StartUpResult::kReady) << err;
  EXPECT_EQ(session.express.ExpressPageTitle + "|" + session.state.Thumbs.Height,
            "Express saved|44");  // read last

  dir.Write("nd.ini", "[General]\r\nLoadLast=0\r\n[JPEG]\r\nHeight=70\r\n");
  session = Session();
  ASSERT_EQ(Start(), StartUpResult::kReady) << err;
  EXPECT_EQ(session.advanced.PageTitle + "|" + session.state.Thumbs.Height,
            AdvancedSettings().PageTitle + "|70");  // the autosaves unread
}

TEST_F(SessionTest, ADamagedAutosaveStopsTheStartAndKeepsWhatWasRead) {
  dir.Write("nd.ini", kLoadLastOn);
  WriteTempCfg();
  dir.Write("tempexp.cfe", "[Express]\r\nQuality=50\r\nExpressPageTitle=Half\r\n");
  EXPECT_EQ(Start(), StartUpResult::kFailed);
  EXPECT_EQ(err, dir.Path("tempexp.cfe") + ": ExpressUpdate is not True, False or a number");
  EXPECT_EQ(session.advanced.PageTitle, "Saved");  // and the Quality before the failing key
  EXPECT_EQ(session.state.Thumbs.Quality, 50);
}

TEST_F(SessionTest, ClosingWritesTheFilesOfTheLoadLastChoice) {
  dir.Write("temp.cfg", "older");
  dir.Write("tempexp.cfe", "older");
  session.state.DirectoryList = {"/pics/"};
  session.advanced.PageTitle = "Closed";
  ASSERT_TRUE(EndSession(dir.path(), session, &err)) << err;
  EXPECT_NE(dir.Read("nd.ini").find("LoadLast=0\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read("SAVE_BUTT.cfg"), AdvancedConfigText(session.advanced, session.state.Thumbs));
  EXPECT_NE(dir.Read("SAVE_BUTT.cfe").find("[Express]\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read("temp.cfg") + dir.Read("tempexp.cfe"), "olderolder");

  session.state.LoadLast = true;
  ASSERT_TRUE(EndSession(dir.path(), session, &err)) << err;
  session = Session();
  ASSERT_EQ(Start(), StartUpResult::kReady) << err;
  EXPECT_EQ(session.advanced.PageTitle, "Closed");
  EXPECT_EQ(session.state.DirectoryList, std::vector<std::string>{"/pics/"});
}

// State files kept by a dotfile manager stay its links (relative, absolute,
// a chain, one to a file not made yet); a loop of links is refused.
TEST_F(SessionTest, ClosingWritesThroughLinkedStateFiles) {
  namespace fs = std::filesystem;
  fs::create_directory(dir.Path("dots"));
  dir.Write("dots/nd.ini", "");
  const std::pair<std::string, std::string> links[] = {
      {"nd.ini", "dots/nd.ini"},
      {"chain", "dots/temp.cfg"},
      {"temp.cfg", "chain"},
      {"tempexp.cfe", dir.Path("dots/tempexp.cfe")}};
  for (const auto& [link, target] : links) fs::create_symlink(target, dir.Path(link));
  session.state.LoadLast = true;
  ASSERT_TRUE(EndSession(dir.path(), session, &err)) << err;
  for (const auto& [link, target] : links) EXPECT_TRUE(fs::is_symlink(dir.Path(link))) << link;
  for (const char* name : {"nd.ini", "temp.cfg", "tempexp.cfe"})
    EXPECT_NE(dir.Read(std::string("dots/") + name), "") << name;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("dots")), {}), 3);  // no temporary
  fs::remove(dir.Path("dots/temp.cfg"));
  fs::create_symlink("../temp.cfg", dir.Path("dots/temp.cfg"));
  EXPECT_FALSE(EndSession(dir.path(), session, &err));
  EXPECT_EQ(err, dir.Path("temp.cfg") + ": cannot be written (Too many levels of symbolic links)");
}

// An nd.ini that is a folder can be neither read nor replaced.
TEST_F(SessionTest, AStateFileThatIsNoFileStopsTheStartAndTheClose) {
  std::filesystem::create_directory(dir.Path("nd.ini"));
  EXPECT_EQ(Start(), StartUpResult::kFailed);
  EXPECT_EQ(err, dir.Path("nd.ini") + ": is not a regular file");
  session.state.LoadLast = true;
  err.clear();
  EXPECT_FALSE(EndSession(dir.path(), session, &err));
  EXPECT_EQ(err, dir.Path("nd.ini") + ": is not a regular file");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("temp.cfg")));
}
