#include "forms/session.h"

#include <gtest/gtest.h>

#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "temp_folder.h"

struct SessionTest : testing::Test {
  StartUpResult Start() { return StartSession(dir.path(), &session, &err); }
  TempFolder dir;
  Session session;
  std::string err;
};

// LoadLast on: the autosaves are read, temp.cfg then tempexp.cfe, each with
// thumbnail options; off: they stay unread, and the close writes SAVE_BUTT.*.
TEST_F(SessionTest, LoadLastChoosesTheFilesReadAndWritten) {
  AdvancedSettings advanced;
  advanced.PageTitle = "Saved";
  ExpressSettings express;
  express.ExpressPageTitle = "Express saved";
  dir.Write("temp.cfg", AdvancedConfigText(advanced, {75, "Height", "33", "100", 0}));
  dir.Write("tempexp.cfe", UpdateExpressConfig("", express, {75, "Height", "44", "100", 0}));
  dir.Write("nd.ini", "[General]\r\nLoadLast=1\r\n");
  ASSERT_EQ(Start(), StartUpResult::kReady) << err;
  EXPECT_EQ(session.advanced.PageTitle + "|" + session.express.ExpressPageTitle + "|" +
                session.state.Thumbs.Height,
            "Saved|Express saved|44");
  dir.Write("nd.ini", "[General]\r\nLoadLast=0\r\n[JPEG]\r\nHeight=70\r\n");
  session = Session();
  ASSERT_EQ(Start(), StartUpResult::kReady) << err;
  EXPECT_EQ(session.advanced.PageTitle + "|" + session.state.Thumbs.Height,
            AdvancedSettings().PageTitle + "|70");
  session.advanced.PageTitle = "Closed";
  ASSERT_TRUE(EndSession(dir.path(), session, &err)) << err;
  EXPECT_EQ(dir.Read("SAVE_BUTT.cfg"), AdvancedConfigText(session.advanced, session.state.Thumbs));
  EXPECT_NE(dir.Read("SAVE_BUTT.cfe").find("[Express]\r\n"), std::string::npos);
  EXPECT_NE(dir.Read("temp.cfg").find("\r\nSaved\r\n"), std::string::npos);
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

// An nd.ini that is a folder can be neither read nor replaced, and nothing
// after it is written.
TEST_F(SessionTest, AStateFileThatIsNoFileStopsTheStartAndTheClose) {
  std::filesystem::create_directory(dir.Path("nd.ini"));
  EXPECT_EQ(Start(), StartUpResult::kFailed);
  EXPECT_EQ(err, dir.Path("nd.ini") + ": is not a regular file");
  session.state.LoadLast = true;
  EXPECT_FALSE(EndSession(dir.path(), session, &err));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("temp.cfg")));
}
