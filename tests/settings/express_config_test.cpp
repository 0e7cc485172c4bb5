#include "settings/express_config.h"

#include <gtest/gtest.h>

#include "settings/ini.h"
#include "settings/record_fields.h"
#include "temp_folder.h"

namespace {

ExpressSettings Distinct(bool flag) { return Distinct<ExpressSettings>(kExpressFields, flag); }

void ExpectSame(const ExpressSettings& a, const ExpressSettings& b) {
  ExpectSameFields(kExpressFields, a, b);
}

// A complete file of valid values in which `key` is set to `value` (removed when null).
std::string FileWith(const std::string& key, const char* value) {
  IniDocument ini = ParseIni(UpdateExpressConfig("", Distinct(true), kThumbs));
  std::string text;
  for (const std::string& line : ini.lines)
    if (line.rfind(key + "=", 0) != 0) text += line;
  if (value) text += key + "=" + value + "\r\n";
  return text;
}

}  // namespace

TEST(ExpressConfigTest, SaveAndLoadRestoreEveryField) {
  TempFolder dir;
  for (bool flag : {true, false}) {
    ExpressSettings saved = Distinct(flag), loaded = Distinct(!flag);
    ThumbOptions thumbs;
    std::string err;
    ASSERT_TRUE(SaveExpressConfig(dir.Path("a.cfe"), saved, kThumbs, &err)) << err;
    ASSERT_TRUE(LoadExpressConfig(dir.Path("a.cfe"), &loaded, &thumbs, &err)) << err;
    ExpectSame(saved, loaded);
    ExpectThumbsAsSaved(thumbs);
  }
}

// The keys in their writing order, with the initial values.
TEST(ExpressConfigTest, NewFileHasTheKeysInWritingOrder) {
  ExpressSettings s;
  s.ExpressFontName = "DejaVu Sans";
  EXPECT_EQ(UpdateExpressConfig("", s, kThumbs), ReadFile(KESTO_TEST_DATA "/settings/new.cfe"));
}

TEST(ExpressConfigTest, SavingKeepsOtherSectionsAndKeys) {
  TempFolder dir;
  dir.Write("a.cfe", "; mine\n[Other]\nQuality=5\n\n[express]\nquality=10\nCustom = x\n");
  std::string err;
  ASSERT_TRUE(SaveExpressConfig(dir.Path("a.cfe"), ExpressSettings(), kThumbs, &err)) << err;
  std::string text = dir.Read("a.cfe");
  EXPECT_EQ(text.rfind("; mine\n[Other]\nQuality=5\n\n[express]\nQuality=42\r\nCustom = x\n", 0),
            0u)
      << text;
  IniDocument ini = ParseIni(text);
  EXPECT_EQ(IniGet(ini, "Express", "ExpressShowNP"), "1");
  EXPECT_EQ(dir.Count(), 1u);
}

TEST(ExpressConfigTest, BadValuesStopTheLoadAfterTheKeysBeforeThem) {
  struct Case {
    const char* key;
    const char* value;  // null: the key is missing
    const char* error;
    bool thumbs_read;  // Height was read before the failing key
    bool texts_read;   // ExpressLinkTarget was read before the failing key
  } cases[] = {
      {"Quality", nullptr, "Quality is missing or not between 1 and 100", false, false},
      {"Quality", "0", "Quality is missing or not between 1 and 100", false, false},
      {"Quality", "101", "Quality is missing or not between 1 and 100", false, false},
      {"Quality", "40000", "Quality is missing or not between 1 and 100", false, false},
      {"Progressive", "3", "Progressive is not 0, 1 or 2", true, false},
      {"Progressive", "-1", "Progressive is not 0, 1 or 2", true, false},
      {"ExpressUpdate", nullptr, "ExpressUpdate is not True, False or a number", true, true},
      {"ExpressUpdate", "", "ExpressUpdate is not True, False or a number", true, true},
      {"ExpressOverwrite", "no", "ExpressOverwrite is not True, False or a number", true, true},
  };
  TempFolder dir;
  for (const Case& c : cases) {
    dir.Write("bad.cfe", FileWith(c.key, c.value));
    ExpressSettings s;
    ThumbOptions thumbs = {75, "Height", "100", "100", 0};
    std::string err;
    EXPECT_FALSE(LoadExpressConfig(dir.Path("bad.cfe"), &s, &thumbs, &err)) << c.key;
    EXPECT_EQ(err, dir.Path("bad.cfe") + ": " + c.error);
    EXPECT_EQ(thumbs.Height, c.thumbs_read ? "120" : "100") << c.key;
    EXPECT_EQ(s.ExpressLinkTarget, c.texts_read ? "ExpressLinkTarget <1> é" : "same") << c.key;
    EXPECT_EQ(s.ExpressPageTitle, "Gallery") << c.key;
  }
}

TEST(ExpressConfigTest, ValuesAreReadAsTheirKeysDemand) {
  struct Case {
    const char* key;
    const char* value;  // null: the key is missing
    std::string ExpressSettings::*text;
    int ThumbOptions::*number;
    std::string ThumbOptions::*thumb_text;
    std::string expected;
  } cases[] = {
      {"Height", "12px", nullptr, nullptr, &ThumbOptions::Height, "12"},
      {"Height", nullptr, nullptr, nullptr, &ThumbOptions::Height, "0"},
      {"Width", " 12.5", nullptr, nullptr, &ThumbOptions::Width, "12.5"},
      {"ResizeMethod", nullptr, nullptr, nullptr, &ThumbOptions::ResizeMethod, "<no value>"},
      {"Quality", "\" 7\"", nullptr, &ThumbOptions::Quality, nullptr, "7"},
      {"Progressive", "2", nullptr, &ThumbOptions::Progressive, nullptr, "2"},
      {"ExpressPageTitle", nullptr, &ExpressSettings::ExpressPageTitle, nullptr, nullptr,
       "<no value>"},
      {"ExpressRows", "", &ExpressSettings::ExpressRows, nullptr, nullptr, ""},
      {"ExpressFontName", nullptr, &ExpressSettings::ExpressFontName, nullptr, nullptr, ""},
  };
  for (const Case& c : cases) {
    ExpressSettings s;
    ThumbOptions thumbs;
    std::string err;
    ASSERT_TRUE(ParseExpressConfig(FileWith(c.key, c.value), &s, &thumbs, &err)) << err;
    std::string got = c.text         ? s.*c.text
                      : c.thumb_text ? thumbs.*c.thumb_text
                                     : std::to_string(thumbs.*c.number);
    EXPECT_EQ(got, c.expected) << c.key << "=" << (c.value ? c.value : "(missing)");
  }
}

TEST(ExpressConfigTest, UnreadableFilesFailWithTheirName) {
  TempFolder dir;
  ExpressSettings s;
  ThumbOptions thumbs;
  std::string err;
  EXPECT_FALSE(LoadExpressConfig(dir.Path("none.cfe"), &s, &thumbs, &err));
  EXPECT_EQ(err, dir.Path("none.cfe") + ": cannot be opened (No such file or directory)");
  EXPECT_FALSE(SaveExpressConfig(dir.path(), s, thumbs, &err));
  EXPECT_EQ(err, dir.path() + ": is not a regular file");
}
