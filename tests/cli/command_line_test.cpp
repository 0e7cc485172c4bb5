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

// What a command line is read as: the command, FILE, then every argument.
std::string Text(const CommandLine& line) {
  const ProcessArgs& a = line.process;
  std::ostringstream s;
  s << int(line.command) << " " << line.path << ":";
  for (const std::string& config : a.configs) s << config << ",";
  s << "|" << a.state << "|" << a.dir_list << "|" << a.mode << "|" << a.quality << "|" << a.resize
    << "|" << a.height << "|" << a.width << "|" << a.progressive << "|" << a.jobs << "|"
    << int(a.answer) << "|" << a.quiet << a.recursive << a.index << "|"
    << a.formats.value_or("(none)") << "|" << a.shard.index << "/" << a.shard.count << "|" << a.sort
    << "|";
  for (const std::string& dir : a.dirs) s << dir << ",";
  return s.str();
}

TEST(ParseCommandLineTest, EveryOptionReachesTheRun) {
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"process",  "--config",  "a.cfe",      "--config",    "b.cfg",
        "--state",  "nd.ini",    "--dir-list", "l.dir",       "--mode",
        "advanced", "--quality", "80",         "--resize",    "width",
        "--height", "120",       "--width",    "32767",       "--progressive",
        "--jobs",   "3",         "--yes",      "--quiet",     "--formats",
        "",         "--sort",    "date",       "--recursive", "--index",
        "/p1",      "/p2"},
       "0 :a.cfe,b.cfg,|nd.ini|l.dir|advanced|80|width|120|32767|1|3|1|111||1/1|date|/p1,/p2,"},
      {{"process"}, "0 :||||-1||||-1|0|0|000|(none)|1/1||"},
      {{"process", "--no-progressive", "--no", "--shard", "3/4"},
       "0 :||||-1||||0|0|2|000|(none)|3/4||"},
      {{"config", "init", "x.cfg"}, "3 x.cfg:||||-1||||-1|0|0|000|(none)|1/1||"}};
  for (const auto& [args, text] : cases) EXPECT_EQ(Text(Parse(args).line), text) << Parse(args).err;
}

// The library's own messages are its own; the rules checked here are ours.
TEST(ParseCommandLineTest, UsageErrorsAreToldAndEndWithStatusTwo) {
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{"process", "--yes", "--no"}, "--yes excludes --no"},
      {{"process", "--width", "32768"},
       "--width: must be a whole number of pixels from 1 to 32767"},
      {{"process", "--index", "d"}, "--index requires --recursive"},
      {{"process", "--shard", "0/4"}, "--shard: K must be from 1 to 4, not 0"},
      {{"process", "--shard", "1/0"}, "--shard: N, the number of shards, must be at least 1"},
      {{"process", "--recursive", "--index", "--shard", "1/4"}, "--index excludes --shard"},
      {{"config", "show"}, "FILE is required"}};
  for (const auto& [args, message] : cases) {
    Parsed p = Parse(args);
    EXPECT_EQ(p.line.command, Command::kNone) << message;
    EXPECT_TRUE(p.err.starts_with(message) &&
                p.err.ends_with("\nRun with --help for more information.\n"))
        << p.err;
    EXPECT_EQ(RunCommandLine(p.line), 2) << message;
  }
}

TEST(RunCommandLineTest, RunsTheCommandAndGivesItsStatus) {
  TempFolder temp;
  std::string cfe = temp.Path("new.cfe"), cfg = temp.Path("new.cfg"), txt = temp.Path("new.txt"),
              pics = temp.Path("pics"), kesto = "kesto-cli: ";
  std::filesystem::create_directory(pics);
  // Args, status, err.
  const std::tuple<std::vector<const char*>, int, std::string> cases[] = {
      {{"config", "init", cfe.c_str()}, 0, ""},
      {{"config", "init", cfe.c_str()}, 2, kesto + cfe + ": already exists; remove it first\n"},
      {{"config", "init", txt.c_str()}, 2, kesto + txt + ": name a .cfg or .cfe file\n"},
      {{"config", "init", cfg.c_str()}, 0, ""},
      {{"index", "--formats", "", pics.c_str()},
       1,
       kesto + pics + ": the tree holds no gallery; no tree index is written\n"},
      {{"process", "--quiet", "--no", "--config", cfe.c_str(), pics.c_str(), "/gone/"},
       1,
       "Invalid paths:\n---------------------\n/gone/\n---------------------\n\n"}};
  for (const auto& [args, status, err] : cases) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunCommandLine(Parse(args).line), status) << args[1];
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
