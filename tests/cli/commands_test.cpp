#include "cli/commands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <tuple>
#include <type_traits>

#include "run/tree.h"
#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "settings/record_fields.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

class CommandsTest : public ::testing::Test {
 protected:
  ~CommandsTest() override { std::fclose(err_); }
  std::string Path(const std::string& name) const { return temp_.Path(name); }
  void Picture(const std::string& name, const std::string& fixture = "pictures/small.jpg") {
    fs::create_directories(fs::path(Path(name)).parent_path());
    fs::copy_file(std::string(KESTO_TEST_DATA) + "/" + fixture, Path(name));
  }
  ProcessArgs Args(const Names& names) {  // a quiet run of the folders `names`
    ProcessArgs args;
    args.quiet = true;
    for (const std::string& name : names) args.dirs.push_back(Path(name));
    return args;
  }
  PreparedRun Prepared(const ProcessArgs& args) {
    PreparedRun run;
    std::string err;
    EXPECT_TRUE(PrepareRun(args, &run, &err)) << err;
    return run;
  }
  template <typename Settings>
  void Save(const std::string& name, const std::string& lines, Settings settings = {}) {
    std::string err;
    if constexpr (std::is_same_v<Settings, ExpressSettings>) {
      Assign(kExpressFields, lines, &settings);
      ASSERT_TRUE(SaveExpressConfig(Path(name), settings, ThumbOptions(), &err)) << err;
    } else {
      Assign(kAdvancedFields, lines, &settings);
      ASSERT_TRUE(SaveAdvancedConfig(Path(name), settings, ThumbOptions(), &err)) << err;
    }
  }

  TempFolder temp_;
  std::FILE* err_ = std::tmpfile();
};

TEST_F(CommandsTest, LaterSourcesOverrideEarlierOnes) {
  temp_.Write("nd.ini",
              "[General]\r\nMode=adv\r\n[JPEG]\r\nQuality=50\r\nResizeMethod=Width\r\nHeight=90\r\n"
              "Width=80\r\nProgressive=1\r\n[DIRs]\r\n1=/from/state/\r\n#=1\r\n");
  temp_.Write("a.cfe",
              "[Express]\r\nQuality=60\r\nExpressUpdate=True\r\nExpressOverwrite=0\r\n"
              "ExpressFontName=Serif\r\n");
  temp_.Write("list.dir", "/from/list/\r\n");
  ProcessArgs args;
  args.state = Path("nd.ini");
  PreparedRun run = Prepared(args);
  EXPECT_TRUE(run.advanced);  // the state's mode
  EXPECT_EQ(ThumbsText(run.input.thumbs), "50|Width|90|80|1");
  EXPECT_EQ(run.input.directories, Names{"/from/state/"});

  args.configs = {Path("a.cfe")};
  args.dir_list = Path("list.dir");
  args.height = "120";
  args.progressive = 0;
  run = Prepared(args);
  EXPECT_FALSE(run.advanced);  // the kind of the one configuration file
  // The .cfe's values, a missing key too, and over them the options.
  EXPECT_EQ(ThumbsText(run.input.thumbs), "60|<no value>|120|0|0");
  EXPECT_EQ(run.input.directories, Names{"/from/list/"});
}

TEST_F(CommandsTest, CtrlCStopsTheRunWithStatus130) {
  for (int i = 0; i < 300; ++i) Picture("pics/" + std::to_string(i) + ".jpg");
  ProcessArgs args = Args({"pics"});
  args.jobs = 1;
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
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130);
  EXPECT_EQ(ReadAll(err_), "kesto-cli: stopped; thumbnails already made are kept\n");
  EXPECT_FALSE(fs::exists(Path("pics/page1.html")));
}

// Which folders a tree holds is the engine's test.
TEST_F(CommandsTest, RecursiveAndFormatsTakeTheirRulesFromTheSettings) {
  for (const char* name : {"a/x.jpg", "a/2024/y.jpg", "b/small/w.jpg"}) Picture(name);
  ProcessArgs args = Args({"a", "b"});
  EXPECT_EQ(Prepared(args).input.directories, (Names{Path("a"), Path("b")}));  // as ever
  EXPECT_TRUE(Prepared(args).input.formats.empty());
  args.recursive = true;
  Save<AdvancedSettings>("small.cfg", "SubFolderName=small");
  args.configs = {Path("small.cfg")};
  PreparedRun run = Prepared(args);
  EXPECT_EQ(run.input.directories, (Names{Path("a"), Path("a/2024"), Path("b")}));
  EXPECT_EQ(run.roots, (Names{Path("a"), Path("b")}));

  temp_.Write("nd.ini", "[General]\r\nExtraFormats=png,tiff\r\n[JPEG]\r\nHeight=100\r\n");
  args = Args({"a"});
  args.state = Path("nd.ini");
  for (auto [option, formats] :
       {std::pair{"", ""}, {"PNG, webp", "png,webp"}, {nullptr, "png,tiff"}}) {
    args.formats = option ? std::optional<std::string>(option) : std::nullopt;
    EXPECT_EQ(ExtraFormatsText(Prepared(args).input.formats), formats) << formats;
  }
  args.formats = "png,jpeg2000";
  std::string err;
  EXPECT_FALSE(PrepareRun(args, &run, &err));
}

// A gallery's shard follows the FNV-1a hash of its path in the tree (the
// hash's published test values) and nothing else: a folder added before all
// others moves none of them.
TEST_F(CommandsTest, AGallerysShardFollowsItsPathInTheTreeAlone) {
  const std::tuple<const char*, uint32_t, uint64_t> shards[] = {
      {"", 4, 0xcbf29ce484222325}, {"a", 4, 0xaf63dc4c8601ec8c}, {"foobar", 7, 0x85944171f73967e8}};
  for (const auto& [relative, count, hash] : shards)
    EXPECT_EQ(ShardOf(relative, count), hash % count + 1) << relative;
  for (const char* name : {"t/b/a.jpg", "t/c/a.jpg", "t/d/a.jpg", "t/e/a.jpg"}) Picture(name);
  ProcessArgs args = Args({"t"});
  args.recursive = true;
  args.shard = {ShardOf("c", 2), 2};
  Names before = Prepared(args).input.directories;
  Picture("t/a/a.jpg");
  Names after = Prepared(args).input.directories;
  std::erase(after, Path("t/a"));
  EXPECT_EQ(after, before);
  EXPECT_TRUE(std::count(before.begin(), before.end(), Path("t/c")));
  args = Args({"t/b", "t/c/", "t/d", "t/e"});  // listed folders go by their names as given
  args.shard = {ShardOf(Path("t/c"), 2), 2};
  for (const std::string& dir : Prepared(args).input.directories)
    EXPECT_EQ(ShardOf(StripTrailingSlashes(dir), 2), args.shard.index) << dir;
}

TEST_F(CommandsTest, TheIndexLeadsToTheTreesGalleriesAndLeavesAPageOfTheUsersAlone) {
  Picture("top/2024/x.jpg");
  Picture("top/2025/shot.png", "thumbs/png-named.jpg");
  ProcessArgs args = Args({"top"});
  EXPECT_EQ(ProcessCommand(args, err_), 0);
  EXPECT_FALSE(fs::exists(Path("top/index.html")) || fs::exists(Path("top/2024/page1.html")));
  args.recursive = args.index = true;
  args.formats = "png";
  EXPECT_EQ(ProcessCommand(args, err_), 0) << ReadAll(err_);
  EXPECT_TRUE(temp_.Read("top/index.html").find("2025/thumbs/shot_tn.jpg") != std::string::npos);
  temp_.Write("top/index.html", "my page");
  EXPECT_EQ(ProcessCommand(args, err_), 1);
  EXPECT_EQ(IndexCommand(args, err_), 1);
  EXPECT_EQ(temp_.Read("top/index.html"), "my page");
}

// Bad input, and settings that would let the clean-up reach the pictures, are
// refused with status 2 before anything is written; whatever is told besides
// the report gives status 1. A file of the user's at a thumbnail's path (in a
// thumbnail folder that is a link) stays.
TEST_F(CommandsTest, BadInputEndsWithStatusTwoAndEveryWarningWithOne) {
  temp_.Write("bad.cfe", "[Express]\r\nQuality=0\r\n");
  temp_.Write("x.txt", "");
  temp_.Write("notes.ini", "just some notes\n");
  Save<AdvancedSettings>("up.cfg", "SubFolderName=..\nThumbExt=\nCleanHouse=1");
  Save<ExpressSettings>("e.cfe", "ExpressOverwrite=True");
  Save<AdvancedSettings>("a.cfg", "ThumbExt=\nStoreInSub=0");
  Picture("pics/photo.jpeg");
  Picture("kept/a.jpg");
  fs::create_directory(Path("other"));
  temp_.Write("other/a_tn.jpg", "mine");
  fs::create_directory_symlink(Path("other"), Path("kept/thumbs"));
  fs::create_directories(Path("tree/locked"));
  for (const char* dir : {".", "pics", "kept", "other", "tree"})
    fs::permissions(Path(dir), fs::perms::all);
  fs::permissions(Path("tree/locked"), fs::perms::none);
  // Config, state, directory, status, the message's start (its words are the
  // settings' and the engine's tests').
  const std::tuple<const char*, const char*, const char*, int, std::string> cases[] = {
      {"bad.cfe", "", "/d", 2, Path("bad.cfe") + ": Quality is missing"},
      {"none.cfg", "", "/d", 2, Path("none.cfg") + ": no such file\n"},
      {"x.txt", "", "/d", 2, Path("x.txt") + ": not a configuration file (.cfg or .cfe)\n"},
      {"", "", "", 2, "no directories to process: give DIR arguments, --dir-list or --state\n"},
      // A state file that is not one gives no thumbnail size.
      {"", "notes.ini", "/d", 2, Path("notes.ini") + ": Height is \"0\": a thumbnail side"},
      {"up.cfg", "", "pics", 2, Path("up.cfg") + ": SubFolderName is \"..\""},
      {"e.cfe", "", "kept", 1, "no thumbnail of " + Path("kept/a.jpg") + ": "},
      {"e.cfe", "", "tree", 1, Path("tree/locked") + ": the folder cannot be read"},
      {"a.cfg", "", "kept", 1, "no thumbnails are made: with no thumbnail mark (ThumbExt)"}};
  for (const auto& [config, state, dir, status, message] : cases) {
    ProcessArgs args;
    if (*config) args.configs = {Path(config)};
    if (*dir) args.dirs = {dir[0] == '/' ? dir : Path(dir)};
    if (*state) args.state = Path(state);
    args.quiet = args.recursive = true;
    args.answer = DeleteAnswer::kYes;
    std::FILE* errors = std::tmpfile();
    EXPECT_EQ(RunUnprivileged([&] {
                std::string told = std::to_string(ProcessCommand(args, errors));
                return std::fflush(errors), told;
              }),
              std::to_string(status))
        << message;
    EXPECT_TRUE(ReadAll(errors).starts_with("kesto-cli: " + message)) << message;
    std::fclose(errors);
  }
  EXPECT_EQ(fs::directory_iterator(Path("pics"))->path(), Path("pics/photo.jpeg"));
  EXPECT_EQ(temp_.Read("other/a_tn.jpg"), "mine");
}

}  // namespace
