#include "settings/advanced_config.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "settings/record_fields.h"
#include "temp_folder.h"

namespace {

AdvancedSettings Distinct(bool flag) { return Distinct<AdvancedSettings>(kAdvancedFields, flag); }

void ExpectSame(const AdvancedSettings& a, const AdvancedSettings& b) {
  ExpectSameFields(kAdvancedFields, a, b);
}

// A file of `count` lines whose line n holds `lines[n]` or else "L<n>".
std::string FileText(size_t count, const std::map<size_t, std::string>& lines) {
  std::string text;
  for (size_t n = 1; n <= count; ++n)
    text += (lines.count(n) ? lines.at(n) : "L" + std::to_string(n)) + "\r\n";
  return text;
}

}  // namespace

TEST(AdvancedConfigTest, SaveAndLoadRestoreEveryField) {
  TempFolder dir;
  for (bool flag : {true, false}) {
    AdvancedSettings saved = Distinct(flag), loaded = Distinct(!flag);
    ThumbOptions thumbs;
    std::string err;
    ASSERT_TRUE(SaveAdvancedConfig(dir.Path("a.cfg"), saved, kThumbs, &err)) << err;
    ASSERT_TRUE(LoadAdvancedConfig(dir.Path("a.cfg"), &loaded, &thumbs, &err)) << err;
    ExpectSame(saved, loaded);
    ExpectThumbsAsSaved(thumbs);
  }
}

// Each field in its place of the 94 lines: the golden file holds the
// distinct texts, the switches off but AsSuffix and MenuBoth.
TEST(AdvancedConfigTest, FileHas94LinesInTheirPlaces) {
  AdvancedSettings s = Distinct(false);
  s.AsSuffix = s.MenuBoth = true;
  EXPECT_EQ(AdvancedConfigText(s, kThumbs), ReadFile(KESTO_TEST_DATA "/settings/distinct.cfg"));
  ThumbOptions negative = kThumbs;
  negative.Progressive = -1;
  EXPECT_TRUE(AdvancedConfigText(s, negative).starts_with("-1\r\n90\r\n"));
}

TEST(AdvancedConfigTest, SwitchesReadWordsAndNumbers) {
  struct Case {
    const char* text;
    bool from_false;  // the switch after reading into a false one
    bool from_true;
  } cases[] = {{"True", true, true}, {"true", true, true},  {"-1", true, true},
               {"1", true, true},    {"2.5", true, true},   {"False", false, false},
               {"0", false, false},  {"", false, true},     {"yes", false, true},
               {"1 x", false, true}, {" TRUE ", true, true}};
  for (const Case& c : cases) {
    for (bool before : {false, true}) {
      AdvancedSettings s;
      s.AsPrefix = before;
      ThumbOptions thumbs;
      ParseAdvancedConfig(FileText(94, {{12, c.text}}), &s, &thumbs);
      EXPECT_EQ(s.AsPrefix, before ? c.from_true : c.from_false) << c.text << " over " << before;
    }
  }
}

TEST(AdvancedConfigTest, ShortFilesGiveEmptyTextsAndKeepSwitches) {
  AdvancedSettings s = Distinct(true);
  ThumbOptions thumbs;
  ParseAdvancedConfig(FileText(10, {{1, " 0"}, {5, " 80"}}), &s, &thumbs);
  EXPECT_EQ(s.PageTitle, "L6");
  EXPECT_EQ(s.PageFileName, "L10");
  EXPECT_EQ(s.HTMLExt, "");
  EXPECT_EQ(s.UseMetaRevisit, "");
  EXPECT_TRUE(s.AsPrefix && s.MenuTop);
  EXPECT_EQ(thumbs.Quality, 80);

  AdvancedSettings untouched = Distinct(true);
  s = untouched;
  thumbs = kThumbs;
  ParseAdvancedConfig(" 0\nwide \n", &s, &thumbs);
  ExpectSame(s, untouched);
  EXPECT_EQ(thumbs.Progressive, 0);
  EXPECT_EQ(thumbs.Width, "wide");
  EXPECT_EQ(thumbs.Height, "120");
  EXPECT_EQ(thumbs.Quality, 42);
}

TEST(AdvancedConfigTest, NumbersTheOptionsCannotTakeKeepTheOldValue) {
  struct Case {
    const char* line1;
    const char* line5;
    int progressive;
    int quality;
  } cases[] = {{" 1", " 75", 1, 75}, {"2", "100", 2, 100}, {"3", "0", 0, 42},
               {"-1", "101", 0, 42}, {"x", "abc", 0, 42},  {"", "99999", 0, 42},
               {"1.4", "1.5", 1, 2}};
  for (const Case& c : cases) {
    AdvancedSettings s;
    ThumbOptions thumbs = kThumbs;
    thumbs.Progressive = 0;
    ParseAdvancedConfig(FileText(94, {{1, c.line1}, {5, c.line5}}), &s, &thumbs);
    EXPECT_EQ(thumbs.Progressive, c.progressive) << c.line1;
    EXPECT_EQ(thumbs.Quality, c.quality) << c.line5;
  }
}

TEST(AdvancedConfigTest, ReadsTrimmedLinesOfEitherLineEnd) {
  AdvancedSettings s;
  ThumbOptions thumbs;
  std::string text = FileText(94, {{4, "height"}, {6, "  My page  "}, {83, "junk"}});
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
  ParseAdvancedConfig(text, &s, &thumbs);
  EXPECT_EQ(thumbs.ResizeMethod, "height");
  EXPECT_EQ(s.PageTitle, "My page");
  EXPECT_EQ(s.FromDir, "L73");
  EXPECT_EQ(s.UseMetaKeywords, "L85");
}

TEST(AdvancedConfigTest, UnreadableFileChangesNothing) {
  TempFolder dir;
  AdvancedSettings s = Distinct(true);
  ThumbOptions thumbs = kThumbs;
  std::string err;
  EXPECT_FALSE(LoadAdvancedConfig(dir.Path("none.cfg"), &s, &thumbs, &err));
  EXPECT_EQ(err, dir.Path("none.cfg") + ": cannot be opened (No such file or directory)");
  ExpectSame(s, Distinct(true));
  EXPECT_EQ(thumbs.Quality, 42);
}
