#include "pages/titles.h"

#include <gtest/gtest.h>

namespace {

struct GuessCase {
  const char* name;
  int pattern;
  const char* title;
};

TEST(TitlesTest, GuessTitleByPattern) {
  const GuessCase cases[] = {
      {"John Smith.jpg", 0, "John Smith"},
      {"John_Smith.jpg", 0, "JohnSmith"},
      {"JohnSmith.jpg", 1, "John Smith"},
      {"ABCSmith.jpg", 1, "ABC Smith"},
      {"SamSmith.jpg", 1, "Sam Smith"},
      {"John_Smith.jpg", 1, "John Smith"},
      {"Anna_Maria_2004.jpg", 2, "Anna Maria"},
      {"Room101a.jpg", 2, "Rooma"},
      {"Beach.JPG", 2, "Beach.JPG"},  // capitals stay
      {"notes.png", 0, "notes.png"},  // not one of the four
      {"a   b.gif", 0, "a b"},        // a pair removed, the rest collapsed
      {"a    b.gif", 0, "ab"},        // two pairs removed
      {"  x  .bmp", 2, "x"},
      {"pic.jpeg", 2, "pic"},
      {"x.jpg.jpg", 2, "x"},
      {"John Smith.jpg", 3, ""},
      {"John Smith.jpg", -1, ""},
      {"", 1, ""},
      // The walk stays on a capital it has just spaced out, so later
      // capitals of a long name are not reached.
      {"JohnSmithAdams.jpg", 1, "John SmithAdams"},
  };
  for (const GuessCase& c : cases) EXPECT_EQ(GuessTitle(c.name, c.pattern), c.title) << c.name;
}

AdvancedSettings Shortening(const char* max, const char* loc, const char* replacement) {
  AdvancedSettings s;
  s.FNameMaxLet = max;
  s.FNameReplaceLoc = loc;
  s.FNameReplaceStr = replacement;
  return s;
}

TEST(TitlesTest, ShortenNameCutsWhereAsked) {
  const std::string name = "Summer holidays at the lake.jpg";  // 31 characters
  EXPECT_EQ(ShortenName(name, Shortening("20", "2", "...")), "Summer holidays a...");
  EXPECT_EQ(ShortenName(name, Shortening("20", "0", "...")), "...s at the lake.jpg");
  EXPECT_EQ(ShortenName(name, Shortening("31", "2", "...")), name);
  EXPECT_EQ(ShortenName(name, Shortening("20", "7", "...")), name);  // unknown place: no cut
  // Middle: ten from each end, then trimmed until 20 letters without blanks remain.
  std::string middle = ShortenName(name, Shortening("20", "1", "..."));
  EXPECT_EQ(middle, "Summer ho... lake.jpg");
  EXPECT_THROW(ShortenName(name, Shortening("2", "2", "...")), PageError);
}

TEST(TitlesTest, ShortenNameMiddleEndsWithLongReplacement) {
  // A replacement longer than half the maximum must still end the loop.
  std::string out = ShortenName("abcdefghijklmnop", Shortening("6", "1", "<<<<<"));
  EXPECT_LE(out.size(), 7u);
  EXPECT_NE(out.find("<<<<<"), std::string::npos);
}

TEST(TitlesTest, PictureTitleAppliesTheThreeSteps) {
  AdvancedSettings s;
  s.FNameExtKill = "1";
  EXPECT_EQ(PictureTitle("Beach.jpeg", true, s), "Beach");
  s.UseGuess = "1";
  s.PatternIndex = "2";
  s.ShortFNames = "1";
  s.FNameMaxLet = "8";
  s.FNameReplaceLoc = "2";
  s.FNameReplaceStr = "..";
  EXPECT_EQ(PictureTitle("Long_Beach_Walk.jpg", true, s), "Long B..");
  EXPECT_EQ(PictureTitle("Long_Beach_Walk.jpg", false, s), "Long Beach Walk");
  s = AdvancedSettings();
  EXPECT_EQ(PictureTitle("Long_Beach_Walk.jpg", true, s), "Long_Beach_Walk.jpg");
  s.FNameExtKill = "1";
  EXPECT_THROW(PictureTitle("", true, s), PageError);
}

}  // namespace
