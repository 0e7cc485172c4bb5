#include "settings/text.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Utf8Test, BrokenSequencesAreOneCharacterPerByte) {
  const std::tuple<const char*, std::string, size_t, bool> cases[] = {
      {"two to four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xB7", 3, true},
      {"Latin-1 e acute", "caf\xE9_tn.jpg", 11, false},
      {"lead without its tail", "\xE2\x82", 2, false},
      {"overlong slash", "\xC0\xAF", 2, false},
      {"surrogate", "\xED\xA0\x80", 3, false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", 4, false},
      {"largest", "\xF4\x8F\xBF\xBF", 1, true}};
  for (const auto& [what, text, chars, valid] : cases)
    EXPECT_EQ(std::tuple(CharCount(text), SplitChars(text).size(), IsValidUtf8(text)),
              std::tuple(chars, chars, valid))
        << what;
  // Cuts count characters, and a broken byte never takes the letters after it along.
  EXPECT_EQ(CharLeft("caf\xE9_tn.jpg", 4) + "|" + CharRight("caf\xE9_tn.jpg", 8) + "|" +
                CharLeft("\xC3\xA9t\xC3\xA9", 2) + "|" + CharRight("héllo", 4) + "|" +
                CharRight("héllo", 9) + "|" + CharLeft("ab", -1),
            "caf\xE9|\xE9_tn.jpg|\xC3\xA9t|éllo|héllo|");
  // Broken bytes stay as they are in lower case and become U+FFFD to readers.
  const std::tuple<std::string (*)(std::string_view), const char*, const char*> texts[] = {
      {LowerCase, "ÄÉΣЖ_X", "äéσж_x"},  // whatever the process's locale
      {LowerCase, "\xC3\x41\xC4\x80\xFF\xCE\xA3\xE2\x82", "\xC3\x61\xC4\x81\xFF\xCF\x83\xE2\x82"},
      {ReplaceBrokenBytes, "caf\xE9.jpg", "caf\xEF\xBF\xBD.jpg"},
      {ReplaceBrokenBytes, "\xE2\x82x", "\xEF\xBF\xBD\xEF\xBF\xBDx"},
      {VisibleControls, "a\tc\x1B[2J\x7F", "a\\tc\\x1B[2J\\x7F"},
      {VisibleControls, "\xC2\x9B\x31m", "\\xC2\\x9B1m"}};  // C1 control sequence introducer
  for (const auto& [f, text, expected] : texts) EXPECT_EQ(f(text), expected) << text;
}

TEST(TextTest, NumbersTokensAndColours) {
  const std::pair<const char*, double> cases[] = {
      {"120px", 120}, {"<no value>", 0}, {"-3.5x", -3.5}, {"+7", 7},    {"1e3", 1000},
      {"1e", 1},      {"abc12", 0},      {"  .5", 0.5},   {"12 3", 12}, {"1e999999", 0}};
  for (auto [text, value] : cases) EXPECT_DOUBLE_EQ(Val(text), value) << text;
  int q = 5;
  EXPECT_FALSE(ValInRange("101", 1, 100, &q) || ValInRange("70000", 1, 100, &q) || q != 5);
  EXPECT_TRUE(ValInRange(" 99.5", 1, 100, &q) && q == 100);
  // Text, understood, value.
  const std::tuple<const char*, bool, bool> booleans[] = {
      {"false", true, false}, {" TRUE ", true, true}, {"-1", true, true},
      {"0.0", true, false},   {"2.5e1", true, true},  {"", false, false},
      {"yes", false, false},  {"1x", false, false},   {"1e", false, false}};
  for (auto [text, ok, expected] : booleans) {
    bool value = !expected;
    EXPECT_EQ(std::pair(ParseBoolean(text, &value), value),
              std::pair(ok, ok ? expected : !expected))
        << text;
  }
  // Colours are 0x00BBGGRR numbers; -1 gives eight digits (the last four, then 3-4, 1-2).
  using V = std::vector<std::string>;
  EXPECT_EQ(ParseString("/x/h.txt?0^^$$^^^^$$^^/y.txt?2^^$$^^", "^^$$^^"),
            (V{"/x/h.txt?0", "/y.txt?2"}));
  EXPECT_EQ(ParseString("aÄbäc", "ä"), (V{"a", "b", "c"}));
  EXPECT_EQ(HtmlColour("16711680") + HtmlColour("-1") + HtmlColour("2.5"),
            "#0000FF#FFFFFFFF#020000");
}
