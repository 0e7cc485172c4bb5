#include "settings/session.h"

#include <gtest/gtest.h>

#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "temp_folder.h"

namespace {

const char kLoadLastOn[] = "[General]\r\nMode=exp\r\nLoadLast=1\r\n[JPEG]\r\nQuality=40\r\n";

// A .cfg whose PageTitle and thumbnail height tell it apart from the initial values.
std::string AdvancedFile(const std::string& title, const std::string& height) {
  AdvancedSettings settings;
  settings.PageTitle = title;
  ThumbOptions thumbs;
  thumbs.Height = height;
  return AdvancedConfigText(settings, thumbs);
}

}  // namespace

TEST(SessionTest, AFolderWithoutStateFileIsReportedAndNothingIsRead) {
  TempFolder dir;
  dir.Write("temp.cfg", AdvancedFile("Saved", "33"));
  Session session;
  std::string err;
  EXPECT_EQ(StartSession(dir.path(), &session, &err), StartUpResult::kNoStateFile);
  EXPECT_EQ(session.advanced.PageTitle, AdvancedSettings().PageTitle);
  EXPECT_EQ(dir.Count(), 1u);
}

TEST(SessionTest, LoadLastOnReadsTheAutosavesThatExistOffNone) {
  TempFolder dir;
  dir.Write("nd.ini", kLoadLastOn);
  dir.Write("temp.cfg", AdvancedFile("Saved", "33"));
  Session session;
  std::string err;
  ASSERT_EQ(StartSession(dir.path(), &session, &err), StartUpResult::kReady) << err;
  EXPECT_TRUE(session.state.Express);
  EXPECT_EQ(session.advanced.PageTitle, "Saved");
  EXPECT_EQ(session.state.Thumbs.Height, "33");  // temp.cfg holds thumbnail options too
  EXPECT_EQ(session.express.ExpressPageTitle, ExpressSettings().ExpressPageTitle);

  ExpressSettings express;
  express.ExpressPageTitle = "Express saved";
  ThumbOptions thumbs;
  thumbs.Height = "44";
  dir.Write("tempexp.cfe", UpdateExpressConfig("", express, thumbs));
  ASSERT_EQ(StartSession(dir.path(), &session, &err), StartUpResult::kReady) << err;
  EXPECT_EQ(session.express.ExpressPageTitle, "Express saved");
  EXPECT_EQ(session.state.Thumbs.Height, "44");  // read last

  dir.Write("nd.ini", "[General]\r\nLoadLast=0\r\n[JPEG]\r\nHeight=70\r\n");
  Session off;
  ASSERT_EQ(StartSession(dir.path(), &off, &err), StartUpResult::kReady) << err;
  EXPECT_EQ(off.advanced.PageTitle, AdvancedSettings().PageTitle);  // the autosaves unread
  EXPECT_EQ(off.state.Thumbs.Height, "70");
}

TEST(SessionTest, ADamagedAutosaveStopsTheStartAndKeepsWhatWasRead) {
  TempFolder dir;
  dir.Write("nd.ini", kLoadLastOn);
  dir.Write("temp.cfg", AdvancedFile("Saved", "33"));
  dir.Write("tempexp.cfe", "[Express]\r\nQuality=50\r\nExpressPageTitle=Half\r\n");
  Session session;
  std::string err;
  EXPECT_EQ(StartSession(dir.path(), &session, &err), StartUpResult::kFailed);
  EXPECT_EQ(err, dir.Path("tempexp.cfe") + ": ExpressUpdate is not True, False or a number");
  EXPECT_EQ(session.advanced.PageTitle, "Saved");
  EXPECT_EQ(session.state.Thumbs.Quality, 50);  // read before the failing key

  TempFolder other;
  std::filesystem::create_directory(other.Path("nd.ini"));  // a folder, not a file
  EXPECT_EQ(StartSession(other.path(), &session, &err), StartUpResult::kFailed);
  EXPECT_EQ(err, other.Path("nd.ini") + ": is not a regular file");
}

TEST(SessionTest, ClosingWritesTheFilesOfTheLoadLastChoice) {
  TempFolder dir;
  dir.Write("temp.cfg", "older");
  dir.Write("tempexp.cfe", "older");
  Session session;
  session.state.DirectoryList = {"/pics/"};
  session.advanced.PageTitle = "Closed";
  std::string err;
  ASSERT_TRUE(EndSession(dir.path(), session, &err)) << err;
  EXPECT_NE(dir.Read("nd.ini").find("LoadLast=0\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read("SAVE_BUTT.cfg"), AdvancedConfigText(session.advanced, session.state.Thumbs));
  EXPECT_NE(dir.Read("SAVE_BUTT.cfe").find("[Express]\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read("temp.cfg"), "older");
  EXPECT_EQ(dir.Read("tempexp.cfe"), "older");

  session.state.LoadLast = true;
  ASSERT_TRUE(EndSession(dir.path(), session, &err)) << err;
  Session restored;
  ASSERT_EQ(StartSession(dir.path(), &restored, &err), StartUpResult::kReady) << err;
  EXPECT_EQ(restored.advanced.PageTitle, "Closed");
  EXPECT_EQ(restored.state.DirectoryList, session.state.DirectoryList);
}

TEST(SessionTest, AFailedWriteIsReportedAndStopsTheClose) {
  TempFolder dir;
  std::filesystem::create_directory(dir.Path("nd.ini"));  // cannot be replaced by a file
  Session session;
  session.state.LoadLast = true;
  std::string err;
  EXPECT_FALSE(EndSession(dir.path(), session, &err));
  EXPECT_EQ(err, dir.Path("nd.ini") + ": is not a regular file");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("temp.cfg")));
}

TEST(SessionTest, ANamedStateFolderIsMadeAndGetsTheDefaultState) {
  TempFolder dir;
  std::filesystem::create_directory(dir.Path("prog"));
  std::filesystem::create_directory(dir.Path("data"));
  dir.Write("data/nd.ini", "[General]\r\nMode=exp\r\n");
  StateFolderInputs in{dir.Path("prog"), "", "", dir.Path("data"), dir.Path("a/b/")};
  std::string folder, err;
  ASSERT_TRUE(PrepareStateFolder(in, &folder, &err)) << err;
  EXPECT_EQ(folder, dir.Path("a/b"));
  EXPECT_EQ(dir.Read("a/b/nd.ini"), "[General]\r\nMode=exp\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.Path("prog/nd.ini")));
  dir.Write("file", "");
  in.named_folder = dir.Path("file/sub");
  EXPECT_FALSE(PrepareStateFolder(in, &folder, &err));
  EXPECT_EQ(err, dir.Path("file/sub") + ": cannot be made (Not a directory)");
}
