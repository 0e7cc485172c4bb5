#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "temp_folder.h"

namespace {

using Command = CommandLine::Command;

struct Parsed {
  CommandLine line;
  std::string out, err;
};

Parsed Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "kesto-cli");
  std::ostringstream out, err;
  Parsed parsed{ParseCommandLine(static_cast<int>(args.size()), args.data(), out, err), "", ""};
  parsed.out = out.str();
  parsed.err = err.str();
  return parsed;
}

TEST(ParseCommandLineTest, EveryOptionReachesTheRun) {
  Parsed p = Parse({"process",  "--config",  "a.cfe",      "--config", "b.cfg",
                    "--state",  "nd.ini",    "--dir-list", "l.dir",    "--mode",
                    "advanced", "--quality", "80",         "--resize", "width",
                    "--height", "120",       "--width",    "32767",    "--progressive",
                    "--jobs",   "3",         "--yes",      "--quiet",  "/p1",
                    "/p2"});
  ASSERT_EQ(p.line.command, Command::kProcess) << p.err;
  const ProcessArgs& a = p.line.process;
  EXPECT_EQ(a.configs, (std::vector<std::string>{"a.cfe", "b.cfg"}));
  EXPECT_EQ(
      a.state + "|" + a.dir_list + "|" + a.mode + "|" + a.resize + "|" + a.height + "|" + a.width,
      "nd.ini|l.dir|advanced|width|120|32767");
  EXPECT_EQ(a.quality, 80);
  EXPECT_EQ(a.progressive, 1);
  EXPECT_EQ(a.jobs, 3);
  EXPECT_EQ(a.answer, DeleteAnswer::kYes);
  EXPECT_TRUE(a.quiet);
  EXPECT_EQ(a.dirs, (std::vector<std::string>{"/p1", "/p2"}));

  const ProcessArgs& none = Parse({"process"}).line.process;
  EXPECT_EQ(none.progressive, -1);
  EXPECT_EQ(none.answer, DeleteAnswer::kAsk);
  EXPECT_EQ(none.quality, -1);
  const ProcessArgs& off = Parse({"process", "--no-progressive", "--no"}).line.process;
  EXPECT_EQ(off.progressive, 0);
  EXPECT_EQ(off.answer, DeleteAnswer::kNo);

  for (auto [word, command] :
       {std::pair{"show", Command::kConfigShow}, {"init", Command::kConfigInit}}) {
    p = Parse({"config", word, "x.cfg"});
    EXPECT_EQ(p.line.command, command) << word;
    EXPECT_EQ(p.line.path, "x.cfg") << word;
  }
}

TEST(ParseCommandLineTest, UsageErrorsAreToldAndEndWithStatusTwo) {
  const struct {
    std::vector<const char*> args;
    std::string message;
  } cases[] = {
      {{"process", "--yes", "--no"}, "--yes excludes --no"},
      {{"process", "--progressive", "--no-progressive"}, "--progressive excludes --no-progressive"},
      {{"process", "--height", "0"},
       "--height: must be a whole number of pixels from 1 to 32767, not 0"},
      {{"process", "--width", "32768"},
       "--width: must be a whole number of pixels from 1 to 32767, not 32768"},
      {{"process", "--height", "12px"},
       "--height: must be a whole number of pixels from 1 to 32767, not 12px"},
      {{"process", "--quality", "101"}, "--quality: Value 101 not in range 1 to 100"},
      {{"process", "--jobs", "0"}, "--jobs: Value 0 not in range 1 to 256"},
      {{"process", "--mode", "fast"}, "--mode: fast not in {express,advanced}"},
      {{"process", "--resize", "Height"}, "--resize: Height not in {height,width,both}"},
      {{"process", "--bogus"}, "The following argument was not expected: --bogus"},
      {{}, "A subcommand is required"},
      {{"config"}, "A subcommand is required"},
      {{"config", "show"}, "FILE is required"},
  };
  for (const auto& c : cases) {
    Parsed p = Parse(c.args);
    EXPECT_EQ(p.line.command, Command::kNone) << c.message;
    EXPECT_EQ(p.line.status, 2) << c.message;
    EXPECT_EQ(p.err, c.message + "\nRun with --help for more information.\n");
    EXPECT_EQ(RunCommandLine(p.line), 2) << c.message;
  }
}

TEST(ParseCommandLineTest, HelpAndVersionEndWithStatusZero) {
  Parsed version = Parse({"--version"});
  EXPECT_EQ(version.out, "kesto-cli " KESTO_VERSION "\n");
  Parsed help = Parse({"process", "--help"});
  EXPECT_TRUE(help.out.find("--no-progressive Excludes: --progressive") != std::string::npos)
      << help.out;
  for (const Parsed& p : {version, help}) {
    EXPECT_EQ(p.line.command, Command::kNone);
    EXPECT_EQ(p.err, "");
    EXPECT_EQ(RunCommandLine(p.line), 0);
  }
}

TEST(RunCommandLineTest, RunsTheCommandAndGivesItsStatus) {
  TempFolder temp;
  std::string cfe = temp.Path("new.cfe"), pics = temp.Path("pics");
  std::filesystem::create_directory(pics);
  const struct {
    std::vector<const char*> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{"config", "init", cfe.c_str()}, 0, "", ""},
      {{"config", "init", cfe.c_str()},
       2,
       "",
       "kesto-cli: " + cfe + ": already exists; remove it first\n"},
      {{"process", "--quiet", pics.c_str()}, 0, "", ""},
      {{"process", "--quiet", "--no", "--config", cfe.c_str(), pics.c_str(), "/gone/"},
       1,
       "",
       "Invalid paths:\n---------------------\n/gone/\n---------------------\n\n"},
  };
  for (const auto& c : cases) {
    Parsed p = Parse(c.args);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunCommandLine(p.line), c.status) << c.args[1];
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.out);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.err);
  }
  EXPECT_TRUE(std::filesystem::exists(pics + "/thumbs"));
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunCommandLine(Parse({"config", "show", cfe.c_str()}).line), 0);
  EXPECT_TRUE(testing::internal::GetCapturedStdout().starts_with(
      "Quality=75\nResizeMethod=Height\nHeight=100\nWidth=100\nProgressive=0\n"
      "ExpressMenuLocation=bottom\n"));
}

}  // namespace
