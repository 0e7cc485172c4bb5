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
  ExpectRoundTrip<ExpressSettings>(kExpressFields, dir.Path("a.cfe"), SaveExpressConfig,
                                   LoadExpressConfig);
  std::string err;
  EXPECT_FALSE(SaveExpressConfig(dir.path(), ExpressSettings(), kThumbs, &err));
  EXPECT_EQ(err, dir.path() + ": is not a regular file");
}

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

TEST(ExpressConfigTest, ValuesAreReadAsTheirKeysDemandAndABadOneStopsTheLoad) {
  const std::string kSwitch = " is not True, False or a number";
  // Key, value (null: missing), then the error with Height and ExpressLinkTarget
  // (keys before), else the text field of that key or the thumbnail options.
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"Height", "12px", "42|Both|12|90|1"},
      {"Quality", "\" 7\"", "7|Both|120|90|1"},
      {"ExpressPageTitle", nullptr, "<no value>"},
      {"ExpressFontName", nullptr, ""},
      {"Quality", nullptr, "Quality is missing or not between 1 and 100: 100|same"},
      {"Progressive", "3", "Progressive is not 0, 1 or 2: 120|same"},
      {"ExpressUpdate", nullptr, "ExpressUpdate" + kSwitch + ": 120|ExpressLinkTarget <1> é"},
      {"ExpressOverwrite", "no", "ExpressOverwrite" + kSwitch + ": 120|ExpressLinkTarget <1> é"}};
  for (const auto& [key, value, expected] : cases) {
    ExpressSettings s;
    ThumbOptions thumbs;
    std::string err, got;
    if (!ParseExpressConfig(FileWith(key, value), &s, &thumbs, &err)) {
      got = err + ": " + thumbs.Height + "|" + s.ExpressLinkTarget;
      EXPECT_EQ(s.ExpressPageTitle, "Gallery") << key;
    } else if (key == std::string("ExpressFontName")) {
      got = s.ExpressFontName;
    } else {
      got = ThumbsText(thumbs);
      for (const auto& f : kExpressFields)
        if (f.name == std::string(key)) got = s.*f.text;
    }
    EXPECT_EQ(got, expected) << key << "=" << (value ? value : "(missing)");
  }
}
