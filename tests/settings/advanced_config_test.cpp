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
  ExpectRoundTrip<AdvancedSettings>(kAdvancedFields, dir.Path("a.cfg"), SaveAdvancedConfig,
                                    LoadAdvancedConfig);
}

TEST(AdvancedConfigTest, FileHas94LinesInTheirPlaces) {
  AdvancedSettings s = Distinct(false);
  s.AsSuffix = s.MenuBoth = true;
  EXPECT_EQ(AdvancedConfigText(s, kThumbs), ReadFile(KESTO_TEST_DATA "/settings/distinct.cfg"));
}

// Which words and numbers pass is the text helpers' test.
TEST(AdvancedConfigTest, ParseTakesWhatTheLinesHoldAndKeepsTheRest) {
  AdvancedSettings s;
  ThumbOptions thumbs = kThumbs;
  std::string text = FileText(
      94, {{1, "3"}, {4, "height"}, {5, "0"}, {6, "  My page  "}, {12, " TRUE "}, {13, "yes"}});
  ParseAdvancedConfig(ReplaceAll(text, "\r\n", "\n"), &s, &thumbs);
  EXPECT_EQ(ThumbsText(thumbs), "42|height|L3|L2|1");  // progressive 3 and quality 0 refused
  EXPECT_EQ(s.PageTitle + "|" + s.FromDir + "|" + s.UseMetaKeywords, "My page|L73|L85");
  EXPECT_TRUE(s.AsPrefix);
  EXPECT_EQ(s.AsSuffix, AdvancedSettings().AsSuffix);  // "yes" keeps the switch as it was

  s = Distinct(true);
  ParseAdvancedConfig(FileText(10, {{1, " 0"}, {5, " 80"}}), &s, &thumbs);
  EXPECT_EQ(s.PageTitle + "|" + s.PageFileName + "|" + s.HTMLExt + "|" + s.UseMetaRevisit,
            "L6|L10||");
  EXPECT_TRUE(s.AsPrefix && s.MenuTop);
  EXPECT_EQ(ThumbsText(thumbs), "80|L4|L3|L2|0");
  s = Distinct(true);
  ParseAdvancedConfig(" 1\nwide \n", &s, &thumbs);  // fewer than six lines: the options only
  ExpectSameFields(kAdvancedFields, s, Distinct(true));
  EXPECT_EQ(ThumbsText(thumbs), "80|L4|L3|wide|1");
}
