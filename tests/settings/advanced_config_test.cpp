#include "settings/advanced_config.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "settings/record_fields.h"
#include "temp_folder.h"

namespace {

AdvancedSettings Distinct(bool flag) { return Distinct<AdvancedSettings>(kAdvancedFields, flag); }

// A file of `count` lines whose line n holds `lines[n]` or else "L<n>".
std::string FileText(size_t count, const std::map<size_t, std::string>& lines) {
  std::string text;
  for (size_t n = 1; n <= count; ++n)
    text += (lines.count(n) ? lines.at(n) : "L" + std::to_string(n)) + "\r\n";
  return text;
}

}  // namespace

TEST(AdvancedConfigTest, SaveAndLoadRestoreEveryFieldAndAFailedLoadChangesNothing) {
  TempFolder dir;
  std::string err;
  for (bool flag : {true, false}) {
    AdvancedSettings saved = Distinct(flag), loaded = Distinct(!flag);
    ThumbOptions thumbs;
    ASSERT_TRUE(SaveAdvancedConfig(dir.Path("a.cfg"), saved, kThumbs, &err)) << err;
    ASSERT_TRUE(LoadAdvancedConfig(dir.Path("a.cfg"), &loaded, &thumbs, &err)) << err;
    ExpectSameFields(kAdvancedFields, saved, loaded);
    EXPECT_EQ(ThumbsText(thumbs), ThumbsText(kThumbs));
  }
  AdvancedSettings s = Distinct(true);
  ThumbOptions thumbs = kThumbs;
  EXPECT_FALSE(LoadAdvancedConfig(dir.Path("none.cfg"), &s, &thumbs, &err));
  EXPECT_EQ(err, dir.Path("none.cfg") + ": cannot be opened (No such file or directory)");
  ExpectSameFields(kAdvancedFields, s, Distinct(true));
  EXPECT_EQ(ThumbsText(thumbs), ThumbsText(kThumbs));
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

// A switch reads a word or a number (which: the text helpers' test); anything
// else leaves it as it was.
TEST(AdvancedConfigTest, SwitchesReadWordsAndNumbers) {
  // Text, read over false, over true.
  const std::tuple<const char*, bool, bool> cases[] = {
      {" TRUE ", true, true}, {"0", false, false}, {"", false, true}, {"yes", false, true}};
  for (auto [text, from_false, from_true] : cases) {
    for (bool before : {false, true}) {
      AdvancedSettings s;
      s.AsPrefix = before;
      ThumbOptions thumbs;
      ParseAdvancedConfig(FileText(94, {{12, text}}), &s, &thumbs);
      EXPECT_EQ(s.AsPrefix, before ? from_true : from_false) << text << " over " << before;
    }
  }
}

TEST(AdvancedConfigTest, ShortFilesGiveEmptyTextsAndKeepSwitches) {
  AdvancedSettings s = Distinct(true);
  ThumbOptions thumbs;
  ParseAdvancedConfig(FileText(10, {{1, " 0"}, {5, " 80"}}), &s, &thumbs);
  EXPECT_EQ(s.PageTitle + "|" + s.PageFileName + "|" + s.HTMLExt + "|" + s.UseMetaRevisit,
            "L6|L10||");
  EXPECT_TRUE(s.AsPrefix && s.MenuTop);
  EXPECT_EQ(thumbs.Quality, 80);

  s = Distinct(true);
  thumbs = kThumbs;
  ParseAdvancedConfig(" 0\nwide \n", &s, &thumbs);
  ExpectSameFields(kAdvancedFields, s, Distinct(true));
  EXPECT_EQ(ThumbsText(thumbs), "42|Both|120|wide|0");
}

TEST(AdvancedConfigTest, NumbersTheOptionsCannotTakeKeepTheOldValue) {
  // Line 1 (progressive), line 5 (quality), progressive read, quality read;
  // which numbers are in range is the text helpers' test.
  const std::tuple<const char*, const char*, int, int> cases[] = {{" 1", " 75", 1, 75},
                                                                  {"3", "0", 0, 42}};
  for (auto [line1, line5, progressive, quality] : cases) {
    AdvancedSettings s;
    ThumbOptions thumbs = kThumbs;
    thumbs.Progressive = 0;
    ParseAdvancedConfig(FileText(94, {{1, line1}, {5, line5}}), &s, &thumbs);
    EXPECT_EQ(thumbs.Progressive, progressive) << line1;
    EXPECT_EQ(thumbs.Quality, quality) << line5;
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
