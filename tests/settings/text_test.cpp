#include "settings/text.h"

#include <gtest/gtest.h>

TEST(TextTest, ValReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"120", 120},  {"120px", 120}, {"", 0},         {"<no value>", 0},
               {" 1", 1},     {"1.0", 1},     {"-3.5x", -3.5}, {"+7", 7},
               {"1e3", 1000}, {"1e", 1},      {"abc12", 0},    {"  .5", 0.5},
               {"-", 0},      {".", 0},       {"12 3", 12},    {"1e999999", 0}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << c.text;
}

TEST(TextTest, NumbersRoundHalfToEvenAndKeepTheirRange) {
  for (auto [value, rounded] :
       {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {999.5, 1000}, {998.5, 998}, {133.333, 133}})
    EXPECT_EQ(RoundHalfEven(value), rounded) << value;
  int16_t v = 0;
  EXPECT_TRUE(ValToInt16("32767", &v));
  EXPECT_EQ(v, 32767);
  EXPECT_FALSE(ValToInt16("32768", &v));
  int q = 5;
  EXPECT_FALSE(ValInRange("101", 1, 100, &q));
  EXPECT_FALSE(ValInRange("70000", 1, 100, &q));
  EXPECT_EQ(q, 5);
  EXPECT_TRUE(ValInRange(" 99.5", 1, 100, &q));
  EXPECT_EQ(q, 100);
}

TEST(TextTest, TokenizerTreatsEverySeparatorAlone) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ParseString("a,,b,", ","), (V{"a", "b"}));
  EXPECT_EQ(ParseString("", ","), V{});
  EXPECT_EQ(ParseString(",,,", ","), V{});
  EXPECT_EQ(ParseString("/x/h.txt?0^^$$^^/y.txt?2^^$$^^", "^^$$^^"), (V{"/x/h.txt?0", "/y.txt?2"}));
  EXPECT_EQ(ParseString("1xA2X3", "x"), (V{"1", "A2", "3"}));
  EXPECT_EQ(ParseString("éaÉb", "a"), (V{"é", "Éb"}));
  EXPECT_EQ(ParseString("aÄbäc", "ä"), (V{"a", "b", "c"}));
}

TEST(TextTest, HtmlColourSwapsRedAndBlue) {
  const std::pair<const char*, const char*> cases[] = {
      {"255", "#FF0000"},
      {"16711680", "#0000FF"},
      {"0", "#000000"},
      {"12632256", "#C0C0C0"},
      {"<no value>", "#000000"},
      {"-1", "#FFFFFFFF"},  // eight hex digits: the last four, then 3-4,
                            // 1-2
      {"2.5", "#020000"},
      {"3.5", "#040000"}};  // halves round to even
  for (auto [colour, html] : cases) EXPECT_EQ(HtmlColour(colour), html) << colour;
}

TEST(TextTest, ExtensionsAndBaseNames) {
  const char* cases[][3] = {{"x.tar.gz", "gz", "x.tar"},
                            {"/a.b/c", "", "/a.b/c"},
                            {"noext", "", "noext"},
                            {"trailing.", "", "trailing"}};
  for (auto [name, extension, base] : cases) {
    EXPECT_EQ(GetExtension(name), extension) << name;
    EXPECT_EQ(BaseName(name), base) << name;
  }
}

TEST(TextTest, ShortenTextKeepsBothEnds) {
  std::string path40 = "/home/user/pictures/holiday/2004/greece/";
  ASSERT_EQ(path40.size(), 40u);
  std::string s = ShortenText(path40, 36);
  EXPECT_EQ(s, path40.substr(0, 15) + "...." + path40.substr(40 - 14));
  EXPECT_EQ(CharCount(s), 33u);
  EXPECT_EQ(ShortenText("short", 28), "short");
  // Characters, not bytes: 30 letters of two bytes each.
  std::string wide;
  for (int i = 0; i < 30; ++i) wide += "é";
  EXPECT_EQ(CharCount(ShortenText(wide, 28)), 11u + 4 + 10);
}

TEST(TextTest, ReplacingAndCaseFreeSearch) {
  EXPECT_EQ(ReplaceAll("[A][A]b", "[A]", "x"), "xxb");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(RemoveAllNoCase("x</HEAD>y</head>z", "</head>"), "xyz");
  EXPECT_EQ(FindNoCase("<a HrEf=x>", "href"), 3u);
  EXPECT_EQ(HtmlEscape("a&b<c>\"d"), "a&amp;b&lt;c&gt;&quot;d");
  EXPECT_EQ(CharLeft("héllo", 2), "hé");
  EXPECT_EQ(CharRight("héllo", 4), "éllo");
  EXPECT_EQ(CharRight("héllo", 9), "héllo");
  EXPECT_EQ(CharLeft("ab", -1), "");
  EXPECT_EQ(LowerCase("ÄÉΣЖ_X"), "äéσж_x");  // whatever the process's locale
  EXPECT_EQ(LowerCase("\xC3"
                      "A\xC4\x80\xFF"),
            "\xC3"
            "a\xC4\x81\xFF");  // stray bytes kept
}

TEST(TextTest, NumberTextHasNoSignPlace) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},   {-0.0, "0"},     {120, "120"},        {12.5, "12.5"},
      {-3, "-3"}, {1e15, "1E+15"}, {1.5e-7, "1.5E-07"}, {123456789012345, "123456789012345"}};
  for (const Case& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
}

TEST(TextTest, BooleanWordsAndNumbers) {
  struct Case {
    const char* text;
    bool ok;
    bool value;
  } cases[] = {{"True", true, true},         {"false", true, false}, {" TRUE ", true, true},
               {"-1", true, true},           {"1", true, true},      {"0", true, false},
               {"0.0", true, false},         {"2.5e1", true, true},  {"", false, false},
               {"<no value>", false, false}, {"yes", false, false},  {"1x", false, false},
               {"1e", false, false},         {".", false, false},    {"-", false, false}};
  for (const Case& c : cases) {
    bool value = !c.value;
    EXPECT_EQ(ParseBoolean(c.text, &value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : !c.value) << c.text;
  }
}
