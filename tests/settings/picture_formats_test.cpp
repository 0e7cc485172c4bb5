// The extra picture types and the two keys that ask for new behaviour
// (ExtraFormats in nd.ini, ExpressHiDpi in a .cfe): a file that does not ask
// for them is read and written as it always was.
#include "settings/picture_formats.h"

#include <gtest/gtest.h>

#include "settings/express_config.h"
#include "settings/program_state.h"

namespace {

ExtraFormats Parsed(const std::string& text) {
  ExtraFormats formats;
  std::string err;
  EXPECT_TRUE(ParseExtraFormats(text, &formats, &err)) << text << ": " << err;
  return formats;
}

TEST(ExtraFormatsTest, ListsReadInAnyCaseAndSpellingAndWriteInTheFixedOrder) {
  const struct {
    const char* text;
    const char* written;
  } cases[] = {{"", ""},
               {"png", "png"},
               {" AVIF , heif,,Tif ", "tiff,heic,avif"},
               {"webp,png,webp", "png,webp"},
               {"png,webp,tiff,heic,avif", "png,webp,tiff,heic,avif"}};
  for (const auto& c : cases) EXPECT_EQ(ExtraFormatsText(Parsed(c.text)), c.written) << c.text;

  ExtraFormats kept = Parsed("png");
  std::string err;
  EXPECT_FALSE(ParseExtraFormats("png,jxl", &kept, &err));
  EXPECT_EQ(err, "\"jxl\" is not one of png, webp, tiff, heic, avif");
  EXPECT_EQ(ExtraFormatsText(kept), "png");  // a refused list changes nothing
}

TEST(ExtraFormatsTest, PictureExtensionsAreTheStandardOnesAndTheChosenOnes) {
  const struct {
    const char* name;
    const char* formats;
    bool picture;
  } cases[] = {
      {"a.JPG", "", true},         {"a.jpeg", "", true},        {"a.Gif", "", true},
      {"a.bmp", "", true},         {"a.png", "", false},        {"a.png", "png", true},
      {"a.PNG", "webp,png", true}, {"a.tif", "tiff", true},     {"a.tiff", "tiff", true},
      {"a.HEIF", "heic", true},    {"a.heic", "avif", false},   {"a.avif", "avif", true},
      {"png", "png", false},       {"a.png.txt", "png", false}, {"a.webp", "", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HasPictureExtension(c.name, Parsed(c.formats)), c.picture)
        << c.name << " with " << c.formats;
}

TEST(ExtraFormatsKeyTest, NdIniGetsTheKeyOnlyWhenATypeIsChosenOrItHadOne) {
  const std::string plain =
      "[General]\r\nMode=exp\r\nLoadLast=1\r\n[JPEG]\r\nQuality=75\r\nResizeMethod=Height\r\n"
      "Height=100\r\nWidth=100\r\nProgressive=0\r\n[DIRs]\r\n#=0\r\n";
  ProgramState state;
  ParseProgramState(plain, &state);
  EXPECT_TRUE(state.Formats.empty());
  EXPECT_EQ(UpdateProgramState(plain, state), plain);

  state.Formats = Parsed("heic,png");
  std::string chosen = UpdateProgramState(plain, state);
  EXPECT_NE(chosen.find("LoadLast=1\r\nExtraFormats=png,heic\r\n[JPEG]"), std::string::npos);
  ProgramState read;
  ParseProgramState(chosen, &read);
  EXPECT_EQ(read.Formats, state.Formats);

  state.Formats = {};  // unchecking every type keeps the key, now empty
  EXPECT_NE(UpdateProgramState(chosen, state).find("ExtraFormats=\r\n"), std::string::npos);

  ParseProgramState("[General]\r\nExtraFormats=webp, jxl ,AVIF\r\n", &read);
  EXPECT_EQ(ExtraFormatsText(read.Formats), "webp,avif");  // an unknown name is left out
}

TEST(HiDpiKeyTest, ACfeGetsTheKeyOnlyWhenItIsOnOrItHadOne) {
  ExpressSettings settings;
  ThumbOptions thumbs;
  std::string plain = UpdateExpressConfig("", settings, thumbs);
  EXPECT_EQ(plain.find("ExpressHiDpi"), std::string::npos);
  ExpressSettings read;
  std::string err;
  ASSERT_TRUE(ParseExpressConfig(plain, &read, &thumbs, &err)) << err;
  EXPECT_EQ(read.ExpressHiDpi, "0");

  settings.ExpressHiDpi = "1";
  std::string on = UpdateExpressConfig(plain, settings, thumbs);
  EXPECT_TRUE(on.ends_with("ExpressFontName=\r\nExpressHiDpi=1\r\n")) << on;
  ASSERT_TRUE(ParseExpressConfig(on, &read, &thumbs, &err)) << err;
  EXPECT_EQ(read.ExpressHiDpi, "1");

  settings.ExpressHiDpi = "0";
  EXPECT_TRUE(UpdateExpressConfig(on, settings, thumbs).ends_with("ExpressHiDpi=0\r\n"));
  read.ExpressHiDpi = "1";  // what a file without the key reads as, whatever was loaded before
  ASSERT_TRUE(ParseExpressConfig(plain, &read, &thumbs, &err)) << err;
  EXPECT_EQ(read.ExpressHiDpi, "0");
}

}  // namespace
