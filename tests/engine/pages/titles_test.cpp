#include "pages/titles.h"

#include <gtest/gtest.h>

namespace {

TEST(TitlesTest, GuessTitleByPattern) {
  const struct {
    const char* name;
    int pattern;
    const char* title;
  } cases[] = {
      {"John Smith.jpg", 0, "John Smith"},
      {"John_Smith.jpg", 0, "JohnSmith"},
      {"JohnSmith.jpg", 1, "John Smith"},
      {"ABCSmith.jpg", 1, "ABC Smith"},
      {"SamSmith.jpg", 1, "Sam Smith"},
      {"John_Smith.jpg", 1, "John Smith"},
      {"John_smith.jpg", 1, "John smith"},  // "_" counts as a capital
      {"JohnAdams.jpg", 1, "John Adams"},
      {"aéAé.jpg", 1, "aé Aé"},        // letters of two bytes
      {"xY zA.png", 1, "xY z A.png"},  // no capital before a blank
      {"notes.png", 1, "notes.png"},
      {"Anna_Maria_2004.jpg", 2, "Anna Maria"},
      {"Room101a9.jpg", 2, "Rooma"},
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
  for (const auto& c : cases) EXPECT_EQ(GuessTitle(c.name, c.pattern), c.title) << c.name;
}

TEST(TitlesTest, ShortenNameCutsWhereAsked) {
  const std::string summer = "Summer holidays at the lake.jpg";  // 31 characters
  const struct {
    std::string name;
    const char *max, *place, *replacement, *shortened;  // null: PageError
  } cases[] = {
      {summer, "20", "2", "...", "Summer holidays a..."},
      {summer, "20", "0", "...", "...s at the lake.jpg"},
      {summer, "31", "2", "...", summer.c_str()},
      {summer, "20", "7", "...", summer.c_str()},  // unknown place: no cut
      {summer, "3", "2", "...", "..."},
      {summer, "3", "0", "...", "..."},
      {summer, "2", "2", "...", nullptr},
      {summer, "2", "0", "...", nullptr},
      // Middle: ten from each end, then trimmed until 20 letters without blanks remain.
      {summer, "20", "1", "...", "Summer ho... lake.jpg"},
      {"abcdefghij", "6", "1", "..", "ab..ij"},
      {"ab cd ef gh", "6", "1", " ", "ab   gh"},         // blanks are not counted
      {"abcdefghijklmnop", "6", "1", "<<<<<", "<<<<<"},  // longer than half the maximum
      {"abcdefghijklmnop", "4", "1", "<<<<<", "<<<<<"},  // longer than the maximum
  };
  for (const auto& c : cases) {
    AdvancedSettings s;
    s.FNameMaxLet = c.max;
    s.FNameReplaceLoc = c.place;
    s.FNameReplaceStr = c.replacement;
    if (c.shortened)
      EXPECT_EQ(ShortenName(c.name, s), c.shortened) << c.name << " " << c.max << " " << c.place;
    else
      EXPECT_THROW(ShortenName(c.name, s), PageError) << c.max;
  }
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
