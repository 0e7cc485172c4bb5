#include "settings/picture_formats.h"

#include <gtest/gtest.h>

#include <tuple>

#include "settings/program_state.h"

namespace {

ExtraFormats Parsed(const std::string& text) {
  ExtraFormats formats;
  std::string err;
  EXPECT_TRUE(ParseExtraFormats(text, &formats, &err)) << text << ": " << err;
  return formats;
}

TEST(ExtraFormatsTest, ListsAndExtensions) {
  EXPECT_EQ(ExtraFormatsText(Parsed(" AVIF , heif,,Tif ,webp,WEBP")), "webp,tiff,heic,avif");
  ExtraFormats kept = Parsed("png");
  std::string err;
  EXPECT_FALSE(ParseExtraFormats("png,jxl", &kept, &err));
  EXPECT_EQ(err + ExtraFormatsText(kept), "\"jxl\" is not one of png, webp, tiff, heic, avifpng");
  // Name, types chosen, whether a picture (the plain types are the tree's test).
  for (auto [name, formats, picture] : {std::tuple{"a.PNG", "webp,png", true},
                                        {"a.HEIF", "heic", true},
                                        {"a.heic", "avif", false},
                                        {"a.png.txt", "png", false},
                                        {"png", "png", false}})
    EXPECT_EQ(HasPictureExtension(name, Parsed(formats)), picture) << name << " " << formats;
}

TEST(OptInKeysTest, NdIniGetsExtraFormatsOnlyWhenATypeIsChosenOrItHadTheKey) {
  const std::string plain =
      "[General]\r\nMode=exp\r\nLoadLast=1\r\n[JPEG]\r\nQuality=75\r\nResizeMethod=Height\r\n"
      "Height=100\r\nWidth=100\r\nProgressive=0\r\n[DIRs]\r\n#=0\r\n";
  ProgramState state;
  ParseProgramState(plain, &state);
  EXPECT_EQ(UpdateProgramState(plain, state), plain);
  state.Formats = Parsed("heic,png");
  std::string chosen = UpdateProgramState(plain, state);
  EXPECT_NE(chosen.find("LoadLast=1\r\nExtraFormats=png,heic\r\n[JPEG]"), std::string::npos);
  state.Formats = {};  // unchecking every type keeps the key, empty
  EXPECT_NE(UpdateProgramState(chosen, state).find("ExtraFormats=\r\n"), std::string::npos);
  ParseProgramState("[General]\r\nExtraFormats=webp, jxl ,AVIF\r\n", &state);
  EXPECT_EQ(ExtraFormatsText(state.Formats), "webp,avif");  // an unknown name is left out
}

}  // namespace
