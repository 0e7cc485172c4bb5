#include "settings/ini.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/text.h"
#include "temp_folder.h"

TEST(IniTest, ReadingFollowsTheProfileRules) {
  const std::string wide = ReplaceAll(std::string(600, 'x'), "x", "é");
  const std::tuple<std::string, const char*, const char*, std::string> cases[] = {
      {"[Express]\r\nQuality=75\r\n", "Express", "Quality", "75"},
      {"[express]\nquality=75\n", "EXPRESS", "QUALITY", "75"},  // case, LF only
      {"[ Express ]\r\n  Quality  =\t 75 \t\r\n", "Express", "Quality", "75"},
      {"[S]\r\nk=\"quoted value\"\r\n", "S", "k", "quoted value"},
      {"[S]\r\nk=\" padded \"\r\n", "S", "k", " padded "},
      {"[S]\r\nk=\"a\"b\"\r\n", "S", "k", "a\"b"},  // one pair only
      {"[S]\r\nk=\"open\r\n", "S", "k", "\"open"},
      {"[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
      {"[S]\r\nk=\r\n", "S", "k", ""},
      {"[S]\r\nk=1", "S", "k", "1"},  // no line end at all
      {"[S]\r\nk=1\r\nk=2\r\n", "S", "k", "1"},
      {"[S]\r\na=1\r\n[S]\r\nk=2\r\n", "S", "k", std::string(kNoValue)},
      {"[S]\r\na=1\r\n[s]\r\na=2\r\n", "S", "a", "1"},
      {"k=1\r\n[S]\r\n", "S", "k", std::string(kNoValue)},
      {"[S]\r\nk 1\r\n", "S", "k 1", std::string(kNoValue)},
      {"[T]\r\nk=1\r\n", "S", "k", std::string(kNoValue)},
      {"[S]\r\n[k=1]\r\n", "S", "[k", std::string(kNoValue)},
      {"[Ä]\r\nÖl=1\r\n", "ä", "öL", "1"},
      {"\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1"},  // saved by an editor with a mark
      {"[S]\r\nk=" + std::string(300, 'x'), "S", "k", std::string(255, 'x')},  // cut to 255
      {"[S]\r\nk=" + wide.substr(0, 600), "S", "k", wide.substr(0, 510)}};
  for (const auto& [text, section, key, value] : cases)
    EXPECT_EQ(IniGet(ParseIni(text), section, key), value) << text;
}

TEST(IniTest, WritingChangesOnlyTheKeyLine) {
  // Before, section, after.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "S", "[S]\r\nk=v\r\n"},
      {"; note\n[S]\nK = old\nz=1\n", "s", "; note\n[S]\nk=v\r\nz=1\n"},
      {"[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n", "S", "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\nb=2\r\n"},
      {"[S]\r\na=1", "S", "[S]\r\na=1\r\nk=v\r\n"},
      {"[S]\r\na=1\r", "S", "[S]\r\na=1\r\r\nk=v\r\n"},  // a lone CR stays in its line
      {"[T]\r\nb=2", "S", "[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
      {"[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "[S]\r\nk=v\r\n[S]\r\nk=2\r\n"},
      {"[S]\r\nk=1\r\nk=2\r\n", "S", "[S]\r\nk=v\r\nk=2\r\n"},
      {"[S]\r\n", "S", "[S]\r\nk=v\r\n"}};
  for (auto [before, section, after] : cases) {
    IniDocument ini = ParseIni(before);
    IniSet(&ini, section, "k", "v");
    EXPECT_EQ(IniText(ini), after) << before;
  }
}

TEST(IniTest, OneWriteOfManyKeysKeepsTheirOrder) {
  IniDocument ini = ParseIni("[S]\na=1\n\n[T]\nb=2\n");
  IniSetAll(&ini, "s", {{"x", "1"}, {"A", "2"}, {"y", "3"}, {"X", "4"}});
  IniSetAll(&ini, "U", {{"k", "5"}, {"K", "6"}, {"m", "7"}});
  EXPECT_EQ(IniText(ini), "[S]\nA=2\r\nX=4\r\ny=3\r\n\n[T]\nb=2\n[U]\r\nK=6\r\nm=7\r\n");
}

TEST(IniTest, SectionValuesKeepTheFirstOfEachKey) {
  IniDocument ini = ParseIni("[D]\r\n1=a\r\n#=2\r\n1=b\r\nX=\"c\"\r\n[E]\r\n2=z\r\n");
  std::map<std::string, std::string> expected = {{"1", "a"}, {"#", "2"}, {"x", "c"}};
  EXPECT_EQ(IniSectionValues(ini, "d"), expected);
  EXPECT_EQ(IniLookup(expected, "X"), "c");
  EXPECT_EQ(IniLookup(expected, "2"), kNoValue);
  EXPECT_TRUE(IniSectionValues(ini, "none").empty());
}

TEST(IniTest, AMissingFileReadsAsEmpty) {
  TempFolder dir;
  std::string text = "stale", err = "stale";
  ASSERT_TRUE(ReadIniText(dir.Path("none.ini"), &text, &err));
  EXPECT_EQ(text + err, "");
  EXPECT_FALSE(ReadIniText(dir.path(), &text, &err));
}
