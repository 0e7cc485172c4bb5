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
    EXPECT_EQ(PageFileNamePreview("page_", units, start, prefix, ".htm"), preview) << units;
  EXPECT_EQ(PageFileNamePreview("p", "1e9", "1", false, "").size(), 256u);
}

TEST(DialogRulesTest, FieldsCheckedOnLeavingTheFocus) {
  using enum CheckedDialog;
  const std::string kField = "This field can not be empty", kEmpty = kField + "!",
                    kZero = kField + " or zero!", k48 = "Hi. Please enter a value between 1 and 48";
  // The dialog, control, its text; the refusal ("" for none) and tab, the text after.
  const std::tuple<CheckedDialog, const char*, const char*, std::string, int, const char*> cases[] =
      {{kMain, "txtThumbW", "", kZero, -1, ""},
       {kAdvanced, "txtRows", "0", kZero, 0, "0"},
       {kAdvanced, "txtStartAt", "", kEmpty, 0, ""},
       {kAdvanced, "txtStartAt", "0", "", -1, "0"},
       {kAdvanced, "txtBreakMenuNum", "", kZero, 3, ""},
       {kAdvanced, "txtFNameMaxLet", "2", "This field can not be less than 3!", 5, "2"},
       {kExpress, "txtImgBorder", "0", "", -1, "0"},
       {kExpress, "txtFontSize", "60", k48, -1, "48"},
       {kTableOptions, "txtSpacing", "", kEmpty, -1, ""},
       {kFontBuilder, "txtFontSize", "49", k48, -1, "48"},
       {kFontBuilder, "txtRows", "0", "", -1, "0"}};
  for (const auto& [dialog, control, given, message, tab, text_after] : cases) {
    std::string text = given;
    Refusal refusal = CheckOnLeave(dialog, control, &text).value_or(Refusal{.title = ""});
    EXPECT_EQ(refusal.message + "|" + text, message + "|" + text_after) << control << given;
    if (!message.empty()) {
      EXPECT_EQ(refusal.title + std::to_string(refusal.tab) + refusal.focus,
                "Error!" + std::to_string(tab) + control);
    }
  }
}

TEST(DialogRulesTest, TextsBecomeOneLineTagsAndPaths) {
  EXPECT_EQ(OneLine("<a>\r\n<b>\n<c>\r<d>\r\n\r\n"), "<a> <b> <c> <d>  ");
  EXPECT_EQ(StyleCodeFromCss("\xEF\xBB\xBF"
                             "a {x:1;}\r\n\r\n  b  {y}\n"),
            "<STYLE><--.nua {x:1;} b {y}  ></STYLE>");
  EXPECT_EQ(StyleCodeFromCss(""), "<STYLE><--.nu ></STYLE>");
  FontTag tag = BuildFontTag({"Arial", "Verdana", " 2 ", 0x0000FF, true, true, true});
  EXPECT_EQ(tag.opening + tag.closing + std::to_string(tag.back_step),
            "<font face=\"Arial, Verdana\" size=\"2\" color=\"#FF0000\"><b><i><u>"
            "</u></i></b></font>19");
  EXPECT_EQ(TemplatePath("gallery.tpl ", "/home/me/cfg/"), "/home/me/cfg/gallery.tpl");
  EXPECT_EQ(TemplatePath(" /srv/t.tpl", "/home/me/cfg/") + TemplatePath("t.tpl", ""),
            "/srv/t.tplt.tpl");
}
