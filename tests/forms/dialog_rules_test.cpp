#include "forms/dialog_rules.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(DialogRulesTest, PageFileNamePreviewPadsTheStartText) {
  const std::tuple<const char*, const char*, bool, const char*> cases[] = {
      {"3", "7", false, "page_007.htm"},
      {"3", "7", true, "007page_.htm"},
      {"3", "12345", false, "page_12345.htm"},
      {"2.5", "7", false, "page_007.htm"},
      {"", "", false, "page_.htm"},
      {"0", "x", true, "xpage_.htm"}};
  for (auto [units, start, prefix, preview] : cases)
    EXPECT_EQ(PageFileNamePreview("page_", units, start, prefix, ".htm"), preview)
        << units << " " << start;
  EXPECT_EQ(PageFileNamePreview("p", "1e9", "1", false, "").size(), 256u);
}

TEST(DialogRulesTest, FieldsCheckedOnLeavingTheFocus) {
  using enum CheckedDialog;
  // The dialog, control, its text; the refusal's message ("" for none) and tab, the text after.
  const std::tuple<CheckedDialog, const char*, const char*, std::string, int, const char*> cases[] =
      {
          {kMain, "txtThumbW", "", "This field can not be empty or zero!", -1, ""},
          {kAdvanced, "txtRows", "0", "This field can not be empty or zero!", 0, "0"},
          {kAdvanced, "txtStartAt", "", "This field can not be empty!", 0, ""},
          {kAdvanced, "txtStartAt", "0", "", -1, "0"},
          {kAdvanced, "txtBreakMenuNum", "", "This field can not be empty or zero!", 3, ""},
          {kAdvanced, "txtFNameMaxLet", "2", "This field can not be less than 3!", 5, "2"},
          {kExpress, "txtImgBorder", "0", "", -1, "0"},
          {kExpress, "txtTableBorder", "", "This field can not be empty!", -1, ""},
          {kExpress, "txtFontSize", "60", "Hi. Please enter a value between 1 and 48", -1, "48"},
          {kTableOptions, "txtSpacing", "", "This field can not be empty!", -1, ""},
          {kFontBuilder, "txtFontSize", "49", "Hi. Please enter a value between 1 and 48", -1,
           "48"},
          {kFontBuilder, "txtRows", "0", "", -1, "0"},
      };
  for (const auto& [dialog, control, given, message, tab, text_after] : cases) {
    std::string text = given;
    Refusal refusal = CheckOnLeave(dialog, control, &text).value_or(Refusal{.title = ""});
    EXPECT_EQ(refusal.message, message) << control << " " << given;
    EXPECT_EQ(text, text_after) << control << " " << given;
    if (message.empty()) continue;
    EXPECT_EQ(refusal.title + std::to_string(refusal.tab) + refusal.focus,
              "Error!" + std::to_string(tab) + control);
  }
}

TEST(DialogRulesTest, CodeAndStyleSheetTextBecomeOneLine) {
  EXPECT_EQ(OneLine("<a>\r\n<b>\n<c>\r<d>\r\n\r\n"), "<a> <b> <c> <d>  ");
  EXPECT_EQ(StyleCodeFromCss("\xEF\xBB\xBF"
                             "a {x:1;}\r\n\r\n  b  {y}\n"),
            "<STYLE><--.nua {x:1;} b {y}  ></STYLE>");
  EXPECT_EQ(StyleCodeFromCss(""), "<STYLE><--.nu ></STYLE>");
}

TEST(DialogRulesTest, FontTagWrapsStylesInsideTheFontTag) {
  FontTag tag = BuildFontTag({"Arial", "", " 3 ", 0x00FFFFFF, true, false, true});
  EXPECT_EQ(tag.opening, "<font face=\"Arial\" size=\"3\" color=\"#FFFFFF\"><b><u>");
  EXPECT_EQ(tag.closing, "</u></b></font>");
  EXPECT_EQ(tag.back_step, 15);
  tag = BuildFontTag({"Arial", "Verdana", "2", 0x0000FF, false, true, true});
  EXPECT_EQ(tag.opening, "<font face=\"Arial, Verdana\" size=\"2\" color=\"#FF0000\"><i><u>");
  EXPECT_EQ(tag.closing + std::to_string(tag.back_step), "</u></i></font>15");
}

TEST(DialogRulesTest, TemplatePathTakesTheConfigurationFolderForABareName) {
  EXPECT_EQ(TemplatePath("gallery.tpl ", "/home/me/cfg/"), "/home/me/cfg/gallery.tpl");
  EXPECT_EQ(TemplatePath(" /srv/t.tpl", "/home/me/cfg/"), "/srv/t.tpl");
  EXPECT_EQ(TemplatePath("t.tpl", ""), "t.tpl");
}
