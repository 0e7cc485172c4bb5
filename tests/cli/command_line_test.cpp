#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

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
  Parsed p = Parse({"process",  "--config",    "a.cfe",      "--config", "b.cfg",
                    "--state",  "nd.ini",      "--dir-list", "l.dir",    "--mode",
                    "advanced", "--quality",   "80",         "--resize", "width",
                    "--height", "120",         "--width",    "32767",    "--progressive",
                    "--jobs",   "3",           "--yes",      "--quiet",  "--formats",
                    "",         "--recursive", "--index",    "/p1",      "/p2"});
  ASSERT_EQ(p.line.command, Command::kProcess) << p.err;
  const ProcessArgs& a = p.line.process;
  EXPECT_EQ(a.configs, (std::vector<std::string>{"a.cfe", "b.cfg"}));
  EXPECT_EQ(
      a.state + "|" + a.dir_list + "|" + a.mode + "|" + a.resize + "|" + a.height + "|" + a.width,
      "nd.ini|l.dir|advanced|width|120|32767");
  EXPECT_EQ(std::tuple(a.quality, a.progressive, a.jobs), std::tuple(80, 1, 3));
  EXPECT_EQ(a.answer, DeleteAnswer::kYes);
  EXPECT_TRUE(a.quiet && a.recursive && a.index);
  EXPECT_EQ(a.formats, std::optional<std::string>(""));
  EXPECT_EQ(a.dirs, (std::vector<std::string>{"/p1", "/p2"}));

  const ProcessArgs& none = Parse({"process"}).line.process;
  EXPECT_EQ(std::tuple(none.quality, none.progressive, none.jobs), std::tuple(-1, -1, 0));
  EXPECT_EQ(none.answer, DeleteAnswer::kAsk);
  EXPECT_FALSE(none.formats || none.recursive || none.index);
  const ProcessArgs& off =
      Parse({"process", "--no-progressive", "--no", "--shard", "3/4"}).line.process;
  EXPECT_EQ(off.progressive, 0);
  EXPECT_EQ(off.answer, DeleteAnswer::kNo);
  EXPECT_EQ(std::tuple(off.shard.index, off.shard.count), std::tuple(3u, 4u));

  for (auto [word, command] :
       {std::pair{"show", Command::kConfigShow}, {"init", Command::kConfigInit}}) {
    p = Parse({"config", word, "x.cfg"});
    EXPECT_EQ(p.line.command, command) << word;
    EXPECT_EQ(p.line.path, "x.cfg") << word;
  }
}

// The library's own messages are its own; the rules checked here are ours.
TEST(ParseCommandLineTest, UsageErrorsAreToldAndEndWithStatusTwo) {
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"process", "--yes", "--no"}, "--yes excludes --no"},
      {{"process", "--width", "32768"},
       "--width: must be a whole number of pixels from 1 to 32767, not 32768"},
      {{"process", "--height", "12px"},
       "--height: must be a whole number of pixels from 1 to 32767, not 12px"},
      {{"process", "--index", "d"}, "--index requires --recursive"},
      {{"process", "--shard", "0/4"}, "--shard: K must be from 1 to 4, not 0"},
      {{"process", "--shard", "5/4"}, "--shard: K must be from 1 to 4, not 5"},
      {{"process", "--shard", "a/b"}, "--shard: must be K/N, shard K of N, not a/b"},
      {{"process", "--shard", "1/0"},
       "--shard: N, the number of shards, must be at least 1, not 0"},
      {{"process", "--recursive", "--index", "--shard", "1/4"}, "--index excludes --shard"},
      {{"config", "show"}, "FILE is required"},
  };
  for (const auto& [args, message] : cases) {
    Parsed p = Parse(args);
    EXPECT_EQ(p.line.command, Command::kNone) << message;
    EXPECT_EQ(p.err, message + "\nRun with --help for more information.\n");
    EXPECT_EQ(RunCommandLine(p.line), 2) << message;
  }
}

TEST(ParseCommandLineTest, HelpAndVersionEndWithStatusZero) {
  Parsed version = Parse({"--version"});
  EXPECT_EQ(version.out, "kesto-cli " KESTO_VERSION "\n");
  for (const Parsed& p : {version, Parse({"process", "--help"})}) {
    EXPECT_TRUE(p.line.command == Command::kNone && p.err.empty() && !p.out.empty());
    EXPECT_EQ(RunCommandLine(p.line), 0);
  }
}

TEST(RunCommandLineTest, RunsTheCommandAndGivesItsStatus) {
  TempFolder temp;
  std::string cfe = temp.Path("new.cfe"), cfg = temp.Path("new.cfg"), txt = temp.Path("new.txt"),
              pics = temp.Path("pics");
  std::filesystem::create_directory(pics);
  // Args, status, err.
  const std::tuple<std::vector<const char*>, int, std::string> cases[] = {
      {{"config", "init", cfe.c_str()}, 0, ""},
      {{"config", "init", cfe.c_str()},
       2,
       "kesto-cli: " + cfe + ": already exists; remove it first\n"},
      {{"config", "init", txt.c_str()}, 2, "kesto-cli: " + txt + ": name a .cfg or .cfe file\n"},
      {{"config", "init", cfg.c_str()}, 0, ""},
      {{"process", "--quiet", pics.c_str()}, 0, ""},
      {{"index", "--formats", "", pics.c_str()},
       1,
       "kesto-cli: " + pics + ": the tree holds no gallery; no tree index is written\n"},
      {{"process", "--quiet", "--no", "--config", cfe.c_str(), pics.c_str(), "/gone/"},
       1,
       "Invalid paths:\n---------------------\n/gone/\n---------------------\n\n"},
  };
  for (const auto& [args, status, err] : cases) {
    Parsed p = Parse(args);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunCommandLine(p.line), status) << args[1];
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), err);
  }
  EXPECT_TRUE(std::filesystem::exists(pics + "/thumbs"));
  for (const std::string& path : {cfe, cfg}) {  // the thumbnail options first
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunCommandLine(Parse({"config", "show", path.c_str()}).line), 0);
    EXPECT_TRUE(testing::internal::GetCapturedStdout().starts_with("Quality=75\nResizeMethod="));
  }
}

}  // namespace
