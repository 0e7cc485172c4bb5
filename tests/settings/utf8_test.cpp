#include "settings/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Test, BrokenSequencesAreOneCharacterPerByte) {
  const struct {
    const char* what;
    std::string text;
    size_t chars;
    bool valid;
  } cases[] = {
      {"ASCII", "abc", 3, true},
      {"two to four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xB7", 3, true},
      {"Latin-1 e acute", "caf\xE9_tn.jpg", 11, false},
      {"lead without its tail", "\xE2\x82", 2, false},
      {"stray continuation", "\x80x", 2, false},
      {"overlong slash", "\xC0\xAF", 2, false},
      {"overlong three bytes", "\xE0\x80\xAF", 3, false},
      {"surrogate", "\xED\xA0\x80", 3, false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", 4, false},
      {"largest", "\xF4\x8F\xBF\xBF", 1, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CharCount(c.text), c.chars) << c.what;
    EXPECT_EQ(SplitChars(c.text).size(), c.chars) << c.what;
    EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.what;
  }
  // A broken byte never takes the letters after it into a cut.
  EXPECT_EQ(CharLeft("caf\xE9_tn.jpg", 4), "caf\xE9");
  EXPECT_EQ(CharRight("caf\xE9_tn.jpg", 8), "\xE9_tn.jpg");
  EXPECT_EQ(CharLeft("\xC3\xA9t\xC3\xA9", 2), "\xC3\xA9t");
}

TEST(Utf8Test, LowerCaseLeavesBrokenBytesAlone) {
  EXPECT_EQ(LowerCase("CAF\xC3\x89.JPG"), "caf\xC3\xA9.jpg");
  EXPECT_EQ(LowerCase("CAF\xC9.JPG"), "caf\xC9.jpg");  // Latin-1 E acute: not a letter here
  EXPECT_EQ(LowerCase("\xCE\xA3\xE2\x82"), "\xCF\x83\xE2\x82");
}

TEST(Utf8Test, ReadersSeeAReplacementCharacter) {
  EXPECT_EQ(ReplaceBrokenBytes("caf\xE9.jpg"), "caf\xEF\xBF\xBD.jpg");
  EXPECT_EQ(ReplaceBrokenBytes("\xE2\x82x"), "\xEF\xBF\xBD\xEF\xBF\xBDx");
  EXPECT_EQ(ReplaceBrokenBytes("Caf\xC3\xA9"), "Caf\xC3\xA9");
}

TEST(Utf8Test, ControlCharactersAreWrittenVisibly) {
  EXPECT_EQ(VisibleControls("a\r\nb\tc\x1B[2J\x7F"), "a\\r\\nb\\tc\\x1B[2J\\x7F");
  EXPECT_EQ(VisibleControls("\xC2\x9B"
                            "1m"),
            "\\xC2\\x9B1m");  // C1 control sequence introducer
  EXPECT_EQ(VisibleControls("caf\xE9 \xC3\xA9 \\n"), "caf\xE9 \xC3\xA9 \\n");
}

}  // namespace
