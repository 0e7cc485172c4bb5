#include "settings/express_config.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/ini.h"
#include "settings/record_fields.h"
#include "temp_folder.h"

namespace {

ExpressSettings Distinct(bool flag) { return Distinct<ExpressSettings>(kExpressFields, flag); }

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

TEST(ExpressConfigTest, SaveAndLoadRestoreEveryFieldAndFailWithTheFileName) {
  TempFolder dir;
  std::string err;
  for (bool flag : {true, false}) {
    ExpressSettings saved = Distinct(flag), loaded = Distinct(!flag);
    ThumbOptions thumbs;
    ASSERT_TRUE(SaveExpressConfig(dir.Path("a.cfe"), saved, kThumbs, &err)) << err;
    ASSERT_TRUE(LoadExpressConfig(dir.Path("a.cfe"), &loaded, &thumbs, &err)) << err;
    ExpectSameFields(kExpressFields, saved, loaded);
    EXPECT_EQ(ThumbsText(thumbs), ThumbsText(kThumbs));
  }
  ExpressSettings s;
  ThumbOptions thumbs;
  EXPECT_FALSE(LoadExpressConfig(dir.Path("none.cfe"), &s, &thumbs, &err));
  EXPECT_EQ(err, dir.Path("none.cfe") + ": cannot be opened (No such file or directory)");
  EXPECT_FALSE(SaveExpressConfig(dir.path(), s, thumbs, &err));
  EXPECT_EQ(err, dir.path() + ": is not a regular file");
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
  EXPECT_TRUE(
      text.starts_with("; mine\n[Other]\nQuality=5\n\n[express]\nQuality=42\r\nCustom = x\n"))
      << text;
  EXPECT_EQ(IniGet(ParseIni(text), "Express", "ExpressShowNP"), "1");
  EXPECT_EQ(dir.Count(), 1u);
}

TEST(ExpressConfigTest, BadValuesStopTheLoadAfterTheKeysBeforeThem) {
  const std::string kQuality = "Quality is missing or not between 1 and 100",
                    kProgressive = "Progressive is not 0, 1 or 2",
                    kSwitch = " is not True, False or a number";
  // Key, value (null: missing), error; whether Height and ExpressLinkTarget,
  // keys before the failing one, were read. Which numbers and words pass is
  // the text helpers' test.
  const std::tuple<const char*, const char*, std::string, bool, bool> cases[] = {
      {"Quality", nullptr, kQuality, false, false},
      {"Quality", "101", kQuality, false, false},
      {"Progressive", "3", kProgressive, true, false},
      {"ExpressUpdate", nullptr, "ExpressUpdate" + kSwitch, true, true},
      {"ExpressOverwrite", "no", "ExpressOverwrite" + kSwitch, true, true},
  };
  TempFolder dir;
  for (const auto& [key, value, error, thumbs_read, texts_read] : cases) {
    dir.Write("bad.cfe", FileWith(key, value));
    ExpressSettings s;
    ThumbOptions thumbs;
    std::string err;
    EXPECT_FALSE(LoadExpressConfig(dir.Path("bad.cfe"), &s, &thumbs, &err)) << key;
    EXPECT_EQ(err, dir.Path("bad.cfe") + ": " + error);
    EXPECT_EQ(thumbs.Height, thumbs_read ? "120" : "100") << key;
    EXPECT_EQ(s.ExpressLinkTarget, texts_read ? "ExpressLinkTarget <1> é" : "same") << key;
    EXPECT_EQ(s.ExpressPageTitle, "Gallery") << key;
  }
}

TEST(ExpressConfigTest, ValuesAreReadAsTheirKeysDemand) {
  // Key, value (null: missing), then the text field of that key or else the
  // thumbnail options as read.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"Height", "12px", "42|Both|12|90|1"},
      {"Height", nullptr, "42|Both|0|90|1"},
      {"Width", " 12.5", "42|Both|120|12.5|1"},
      {"ResizeMethod", nullptr, "42|<no value>|120|90|1"},
      {"Quality", "\" 7\"", "7|Both|120|90|1"},
      {"Progressive", "2", "42|Both|120|90|2"},
      {"ExpressPageTitle", nullptr, "<no value>"},
      {"ExpressRows", "", ""},
      {"ExpressFontName", nullptr, ""},
  };
  for (auto [key, value, expected] : cases) {
    ExpressSettings s;
    ThumbOptions thumbs;
    std::string err;
    ASSERT_TRUE(ParseExpressConfig(FileWith(key, value), &s, &thumbs, &err)) << err;
    std::string got =
        key == std::string("ExpressFontName") ? s.ExpressFontName : ThumbsText(thumbs);
    for (const auto& f : kExpressFields)
      if (f.name == std::string(key)) got = s.*f.text;
    EXPECT_EQ(got, expected) << key << "=" << (value ? value : "(missing)");
  }
}
