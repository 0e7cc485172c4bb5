// kesto-cli's opt-in options: --recursive, --index and --formats. Without
// them a run lists, writes and reports what it always did.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "settings/advanced_config.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

class TreeOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { err_ = std::tmpfile(); }
  void TearDown() override { std::fclose(err_); }

  std::string Path(const std::string& name) const { return temp_.Path(name); }
  void Picture(const std::string& path, const std::string& fixture = "pictures/small.jpg") {
    fs::create_directories(fs::path(Path(path)).parent_path());
    fs::copy_file(std::string(KESTO_TEST_DATA) + "/" + fixture, Path(path));
  }
  std::string Errors() {
    std::rewind(err_);
    std::string text;
    for (int c; (c = std::fgetc(err_)) != EOF;) text += static_cast<char>(c);
    return text;
  }
  ProcessArgs Args(std::vector<std::string> dirs) {
    ProcessArgs args;
    args.quiet = true;
    args.dirs = std::move(dirs);
    return args;
  }

  TempFolder temp_;
  std::FILE* err_ = nullptr;
};

using Names = std::vector<std::string>;

TEST_F(TreeOptionsTest, RecursiveListsEachTreeByTheRulesOfTheMode) {
  Picture("a/x.jpg");
  Picture("a/2024/y.jpg");
  Picture("a/thumbs/z.jpg");
  Picture("b/small/w.jpg");
  PreparedRun run;
  std::string err;
  ProcessArgs args = Args({Path("a"), Path("b")});
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_EQ(run.input.directories, (Names{Path("a"), Path("b")}));  // as ever without it

  args.recursive = true;
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_EQ(run.input.directories, (Names{Path("a"), Path("a/2024"), Path("b"), Path("b/small")}));
  EXPECT_EQ(run.roots, (Names{Path("a"), Path("b")}));

  AdvancedSettings settings;
  settings.SubFolderName = "small";
  ASSERT_TRUE(SaveAdvancedConfig(Path("small.cfg"), settings, ThumbOptions(), &err)) << err;
  args.configs = {Path("small.cfg")};
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_EQ(run.input.directories, (Names{Path("a"), Path("a/2024"), Path("a/thumbs"), Path("b")}));
}

TEST_F(TreeOptionsTest, FormatsComeFromTheOptionElseTheStateFile) {
  temp_.Write("nd.ini", "[General]\r\nExtraFormats=png,tiff\r\n[JPEG]\r\nHeight=100\r\n");
  ProcessArgs args = Args({Path("a")});
  PreparedRun run;
  std::string err;
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_TRUE(run.input.formats.empty());
  args.state = Path("nd.ini");
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_EQ(ExtraFormatsText(run.input.formats), "png,tiff");
  args.formats = "PNG, webp";
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_EQ(ExtraFormatsText(run.input.formats), "png,webp");
  args.formats = "";
  ASSERT_TRUE(PrepareRun(args, &run, &err)) << err;
  EXPECT_TRUE(run.input.formats.empty());
  args.formats = "png,jpeg2000";
  EXPECT_FALSE(PrepareRun(args, &run, &err));
  EXPECT_EQ(err, "--formats: \"jpeg2000\" is not one of png, webp, tiff, heic, avif");
}

TEST_F(TreeOptionsTest, TheIndexLeadsToTheTreesGalleriesAndLeavesAPageOfTheUsersAlone) {
  Picture("top/2024/x.jpg");
  Picture("top/2025/shot.png", "thumbs/png-named.jpg");
  ProcessArgs args = Args({Path("top")});
  EXPECT_EQ(ProcessCommand(args, err_), 0);
  EXPECT_FALSE(fs::exists(Path("top/index.html")));
  EXPECT_FALSE(fs::exists(Path("top/2024/page1.html")));

  args.recursive = args.index = true;
  args.formats = "png";
  EXPECT_EQ(ProcessCommand(args, err_), 0) << Errors();
  std::string index = temp_.Read("top/index.html");
  EXPECT_NE(index.find("<a href=\"2024/page1.html\"><img src=\"2024/thumbs/x_tn.jpg\""),
            std::string::npos);
  EXPECT_NE(index.find("<a href=\"2025/page1.html\"><img src=\"2025/thumbs/shot_tn.jpg\""),
            std::string::npos);

  temp_.Write("top/index.html", "my page");
  EXPECT_EQ(ProcessCommand(args, err_), 1);
  EXPECT_EQ(Errors(), "kesto-cli: " + Path("top/index.html") +
                          " is not a tree index the program wrote; it is left as it is\n");
  EXPECT_EQ(temp_.Read("top/index.html"), "my page");
}

TEST_F(TreeOptionsTest, TheIndexNeedsRecursive) {
  std::ostringstream out, err;
  const char* index_alone[] = {"kesto-cli", "process", "--index", "d"};
  CommandLine line = ParseCommandLine(4, index_alone, out, err);
  EXPECT_EQ(line.status, 2);
  EXPECT_NE(err.str().find("--index requires --recursive"), std::string::npos) << err.str();
  const char* tree[] = {"kesto-cli", "process", "--formats", "", "--recursive", "--index", "d"};
  line = ParseCommandLine(7, tree, out, err);
  EXPECT_TRUE(line.process.recursive && line.process.index);
  EXPECT_EQ(line.process.formats, std::optional<std::string>(""));
}

}  // namespace
