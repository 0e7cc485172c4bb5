#include "settings/ini.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/text.h"
#include "temp_folder.h"

TEST(IniTest, ReadingFollowsTheProfileRules) {
  const std::string wide = ReplaceAll(std::string(600, 'x'), "x", "é");
  // One section's keys, each in a value form of its own.
  IniDocument values = ParseIni(
      "[ S ]\r\n  a  =\t\"quoted value\" \t\r\nb=\" padded "
      "\"\r\nc=\"a\"b\"\r\nd=\"open\r\ne=a=b\r\nf=\r\n"
      "g=1\r\ng=2\r\nh 1\r\nx=" +
      std::string(300, 'x') + "\r\nw=" + wide.substr(0, 600) + "\r\nz=1");
  std::string read;
  for (const char* key : {"a", "b", "c", "d", "e", "f", "g", "h 1", "x", "w", "z"})
    read += IniGet(values, "s", key) + "|";
  EXPECT_EQ(read, "quoted value| padded |a\"b|\"open|a=b||1|<no value>|" + std::string(255, 'x') +
                      "|" + wide.substr(0, 510) + "|1|");
  const std::tuple<std::string, const char*, const char*, std::string> cases[] = {
      {"[express]\nquality=75\n", "EXPRESS", "QUALITY", "75"},  // case, LF only
      {"[S]\r\na=1\r\n[S]\r\nk=2\r\n", "S", "k", std::string(kNoValue)},
      {"[T]\r\nk=1\r\n", "S", "k", std::string(kNoValue)},
      {"[Ä]\r\nÖl=1\r\n", "ä", "öL", "1"},
      {"\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1"}};  // saved by an editor with a mark
  for (const auto& [text, section, key, value] : cases)
    EXPECT_EQ(IniGet(ParseIni(text), section, key), value) << text;
}

TEST(IniTest, WritingChangesOnlyTheKeyLine) {
  // Before, section, after.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "S", "[S]\r\nk=v\r\n"},
      {"; note\n[S]\nK = old\nz=1\n", "s", "; note\n[S]\nk=v\r\nz=1\n"},
      {"[T]\r\nb=2", "S", "[T]\r\nb=2\r\n[S]\r\nk=v\r\n"},
      {"[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "[S]\r\nk=v\r\n[S]\r\nk=2\r\n"},
      {"[S]\r\nk=1\r\nk=2\r\n", "S", "[S]\r\nk=v\r\nk=2\r\n"},
      {"[S]\r\n", "S", "[S]\r\nk=v\r\n"},
      {"[S]\r\na=1\r\n\r\n[T]\r\n", "S", "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\n"}};
  for (auto [before, section, after] : cases) {
    IniDocument ini = ParseIni(before);
    IniSet(&ini, section, "k", "v");
    EXPECT_EQ(IniText(ini), after) << before;
  }
}

TEST(IniTest, AMissingFileReadsAsEmpty) {
  TempFolder dir;
  std::string text = "stale", err = "stale";
  ASSERT_TRUE(ReadIniText(dir.Path("none.ini"), &text, &err));
  EXPECT_EQ(text + err, "");
}
