#include "settings/settings_transfer.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/record_fields.h"
#include "settings/text.h"

namespace {

const std::vector<std::string> kFonts = {"Verdana", "Arial", "DejaVu Sans", "arial"};

// `r` with every check box, list and colour field unlike its first value.
template <typename Record, size_t N>
Record Changed(const std::array<Binding<Record>, N>& bindings, const Form& form, Record r) {
  const Record first;
  for (const Binding<Record>& b : bindings) {
    if (b.kind == ControlKind::kCheck) r.*b.text = IsOn(first.*b.text) ? "0" : "1";
    if (b.kind == ControlKind::kList) {
      size_t n = form.at(b.control).entries.size();
      r.*b.text = NumText((RoundHalfEven(Val(first.*b.text)) + 1) % n);
    }
    if (b.kind == ControlKind::kColour) r.*b.text = "1193046";
  }
  return r;
}

AdvancedSettings ChangedAdvanced(bool flag) {
  AdvancedSettings r = Changed(kAdvancedBindings, NewAdvancedForm(),
                               Distinct<AdvancedSettings>(kAdvancedFields, flag));
  r.Rows = "5";
  r.FNameMaxLet = "30";
  r.SnippletRows = "2,4";
  r.SnippletFiles = "/s/four.html?3^^$$^^";
  return r;
}

ExpressSettings ChangedExpress(bool flag) {
  ExpressSettings r = Changed(kExpressBindings, NewExpressForm({}, kFonts),
                              Distinct<ExpressSettings>(kExpressFields, flag));
  r.ExpressMenuLocation = "top";
  r.ExpressLinkTarget = "java";
  r.ExpressFontName = "DejaVu Sans";  // at ExpressFontFace "1" of the sorted list
  return r;
}

// As a loaded .cfg reaches both dialogs, and both are committed.
AdvancedSettings RoundTrip(const AdvancedSettings& record) {
  Form form = NewAdvancedForm(), codes = NewThumbCodeForm();
  std::string err;
  EXPECT_TRUE(SetOptions(record, &form, &err)) << err;
  SetThumbOptions(record, &codes);
  AdvancedSettings committed;
  CommittedFlags flags;
  EXPECT_FALSE(CommitAdvanced(&form, &committed, &flags));
  CommitThumbCodes(codes, &committed, &flags);
  EXPECT_TRUE(flags.AdvancedCommitted && flags.ThumbCodesCommitted);
  return committed;
}

ExpressSettings RoundTrip(ExpressSettings record) {
  Form form = NewExpressForm({}, kFonts);
  SetOptionsExp(&record, &form);
  ExpressSettings committed;
  CommittedFlags flags;
  EXPECT_FALSE(CommitExpress(form, &committed, &flags));
  return committed;
}

}  // namespace

TEST(SettingsTransferTest, FirstFormsCommitTheFirstRecords) {
  Form advanced = NewAdvancedForm();
  AdvancedSettings a;
  a.PageTitle = "changed";
  CommittedFlags flags;
  EXPECT_FALSE(CommitAdvanced(&advanced, &a, &flags));
  ExpectSameFields(kAdvancedFields, a, AdvancedSettings());
  ExpressSettings e, first;
  EXPECT_FALSE(CommitExpress(NewExpressForm(first, kFonts), &e, &flags));
  first.ExpressFontName = "Arial";  // the first of the sorted fonts
  ExpectSameFields(kExpressFields, e, first);
  ExpectSameFields(kAdvancedFields, RoundTrip(AdvancedSettings()), AdvancedSettings());
  ExpectSameFields(kExpressFields, RoundTrip(first), first);
}

TEST(SettingsTransferTest, EveryChangedFieldSurvivesFormAndCommit) {
  for (bool flag : {true, false}) {
    ExpectSameFields(kAdvancedFields, RoundTrip(ChangedAdvanced(flag)), ChangedAdvanced(flag));
    ExpectSameFields(kExpressFields, RoundTrip(ChangedExpress(flag)), ChangedExpress(flag));
  }
}

TEST(SettingsTransferTest, TextReachesFieldsOnOneLineTrimmedWhereTheFieldIs) {
  const std::set<std::string> kUntrimmed = {
      "Rows",      "Cols",    "FNameMaxLet",  "FNameReplaceStr", "JavaCode",   "JavaCell",
      "LinkInact", "NoMenu",  "MetaKeywords", "MetaDescr",       "MetaAuthor", "MetaCopy",
      "MetaDistr", "MetaGen", "MetaExtra",    "MetaRevisit"};
  Form form = NewAdvancedForm();
  for (const auto& b : kAdvancedBindings)
    if (b.text && (b.kind == ControlKind::kText || b.kind == ControlKind::kCode ||
                   b.kind == ControlKind::kCaption))
      form.at(b.control).text = "  30\r\n4\n5\r  ";
  AdvancedSettings record;
  CommittedFlags flags;
  ASSERT_FALSE(CommitAdvanced(&form, &record, &flags));
  for (const auto& b : kAdvancedBindings) {
    if (!b.text || form.at(b.control).text != "  30\r\n4\n5\r  ") continue;
    EXPECT_EQ(record.*b.text, kUntrimmed.count(b.field) ? "  30 4 5   " : "30 4 5") << b.field;
  }
}

TEST(SettingsTransferTest, AdvancedChecksRefuseInOrderAndChangeNoRecord) {
  const struct {
    const char *thumb_ext, *max_letters, *replacement, *subfolder;
    bool in_subfolder;
    const char* message_start;  // "" when the commit passes
    int tab;
    const char* focus;
  } cases[] = {
      {"", "3", "...", " ", false, "You have selected to store thumbnails in the same", 0, ""},
      {" ", "3", "...", " ", false, "Replacing string may NOT be", 5, ""},
      {" ", "4", "...", " ", true, "You have selected to store thumbnails in a sub", 0,
       "txtSubFolderName"},
      {" ", "4", "...", " ", false, "", -1, ""},
      {"", "4", "...", "t", true, "", -1, ""},
      {"_tn", "3", "é.", "t", true, "", -1, ""},  // letters are counted, not bytes
  };
  for (const auto& c : cases) {
    Form form = NewAdvancedForm();
    form.at("txtThumbExt").text = c.thumb_ext;
    form.at("txtFNameMaxLet").text = c.max_letters;
    form.at("txtFNameReplaceStr").text = c.replacement;
    form.at("txtSubFolderName").text = c.subfolder;
    form.at("chkStoreInSub").checked = c.in_subfolder;
    AdvancedSettings record = Distinct<AdvancedSettings>(kAdvancedFields, true), before = record;
    CommittedFlags flags;
    std::optional<Refusal> refusal = CommitAdvanced(&form, &record, &flags);
    EXPECT_EQ(flags.AdvancedCommitted, !refusal) << c.message_start;
    if (!refusal) {
      EXPECT_STREQ(c.message_start, "") << c.thumb_ext << "|" << c.max_letters;
      continue;
    }
    ExpectSameFields(kAdvancedFields, record, before);
    EXPECT_EQ(refusal->message.rfind(c.message_start, 0), 0u) << refusal->message;
    EXPECT_EQ(refusal->title, "Error!");
    EXPECT_EQ(refusal->tab, c.tab) << c.message_start;
    EXPECT_EQ(refusal->focus, c.focus) << c.message_start;
  }
}

TEST(SettingsTransferTest, RefusalsGiveTheirWholeTextsAndResets) {
  Form form = NewAdvancedForm();
  form.at("txtFNameMaxLet").text = "3";
  form.at("txtFNameReplaceStr").text = "abc";
  AdvancedSettings record;
  CommittedFlags flags;
  EXPECT_EQ(CommitAdvanced(&form, &record, &flags)->message,
            "Replacing string may NOT be longer than or the same\r"
            "as the maximum number of letters allowed.");
  EXPECT_EQ(form.at("txtFNameMaxLet").text, "20");
  EXPECT_EQ(form.at("txtFNameReplaceStr").text, "...");
  form.at("txtThumbExt").text = "";
  form.at("chkStoreInSub").checked = false;
  EXPECT_EQ(CommitAdvanced(&form, &record, &flags)->message,
            "You have selected to store thumbnails in the same folder\r"
            "and, at the same time, have not specified thumb\r"
            "extension. Doing so is illegal and unconstitutional.\r"
            "Either check 'Store in subfolder' or specify thumb extension.");
  form.at("txtSubFolderName").text = "  ";
  form.at("chkStoreInSub").checked = true;
  EXPECT_EQ(CommitAdvanced(&form, &record, &flags)->message,
            "You have selected to store thumbnails in a subfolder\r"
            "and left the subfolder name empty.");
  EXPECT_EQ(form.at("txtSubFolderName").text, "");
}

TEST(SettingsTransferTest, GenMenuAndUseJavaMustBeNumbers) {
  const struct {
    const char *gen_menu, *use_java, *failing;
  } cases[] = {{"", "0", "GenMenu"},     {"abc", "0", "GenMenu"}, {"1x", "0", "GenMenu"},
               {"True", "0", "GenMenu"}, {" 1", "", "UseJava"},   {"1.0", "on", "UseJava"},
               {" 1 ", "0", ""},         {"0", "1", ""},          {"2", "-1", ""}};
  for (const auto& c : cases) {
    AdvancedSettings record;
    record.GenMenu = c.gen_menu;
    record.UseJava = c.use_java;
    record.HeaderCode = "head";
    record.Next = "next";
    Form form = NewAdvancedForm();
    std::string err;
    bool filled = SetOptions(record, &form, &err);
    EXPECT_EQ(filled, !*c.failing) << c.gen_menu << "|" << c.use_java;
    bool gen_menu_failed = std::string(c.failing) == "GenMenu";
    std::string failing_value = gen_menu_failed ? c.gen_menu : c.use_java;
    if (!filled) {
      EXPECT_EQ(err, std::string(c.failing) + " is not a number: \"" + failing_value + "\"");
    }
    EXPECT_EQ(form.at("txtHeaderCode").text, "head");  // before GenMenu
    EXPECT_EQ(form.at("txtNext").text, gen_menu_failed ? AdvancedSettings().Next : "next") << err;
    EXPECT_EQ(form.at("chkGenMenu").checked, gen_menu_failed || IsOn(c.gen_menu)) << err;
  }
}

TEST(SettingsTransferTest, EmptyFieldsShowTheirSamples) {
  AdvancedSettings record;
  record.MetaKeywords = record.MetaDistr = record.MetaGen = record.MetaExtra = "";
  record.LinkInact = record.FNameMaxLet = record.FNameReplaceStr = record.MetaRevisit = "";
  record.MetaDescr = "mine";
  record.NoMenu = record.Header = "";
  Form form = NewAdvancedForm();
  ASSERT_TRUE(SetOptions(record, &form, nullptr));
  const std::pair<const char*, const char*> kShown[] = {
      {"txtMetaKeywords", "<META Name=\"keywords\" Content=\"   \">"},
      {"txtMetaDescr", "mine"},
      {"txtMetaDistr", "<META Name=\"distribution\" Content=\"global\">"},
      {"txtMetaGen", "<META Name=\"generator\" Content=\"KESTO  https://kesto.example\">"},
      {"txtMetaExtra", "<META Name=\" \" Content=\" \">"},
      {"lblLinkInact", "<TD align=center>[PAGE NUMBER]</TD><TD width=8>&nbsp;</TD>"},
      {"txtFNameMaxLet", "20"},
      {"txtFNameReplaceStr", "..."},
      {"txtMetaRevisit", "14"},
      {"lblNoMenu", ""},
      {"txtHeader", ""}};
  for (const auto& [control, text] : kShown) EXPECT_EQ(form.at(control).text, text) << control;
}

TEST(SettingsTransferTest, ExpressFormRulesAndRefusedGuess) {
  ExpressSettings record;
  record.ExpressMenuLocation = " top ";
  record.ExpressLinkTarget = "elsewhere";
  record.ExpressFontFace = "9";
  record.ExpressTableWidth = " 80 ";
  record.ExpressColorPageText = "-1";
  Form form = NewExpressForm(record, kFonts);
  SetOptionsExp(&record, &form);
  EXPECT_EQ(record.ExpressMenuLocation, "top");
  EXPECT_TRUE(form.at("mnuMenuTop").checked);
  EXPECT_TRUE(form.at("mnuOpenInSame").checked);
  EXPECT_EQ(form.at("cboFonts").index, -1);
  EXPECT_EQ(form.at("txtTableWidth").text, "80");
  EXPECT_EQ(form.at("ColorPageText").colour, 0xFFFFFFFFu);
  form.at("chkGuessName").checked = true;
  CommittedFlags flags;
  ExpressSettings committed = record;
  std::optional<Refusal> refusal = CommitExpress(form, &committed, &flags);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->message,
            "You activated Guess Image Title\rbut did not select file naming pattern.");
  EXPECT_TRUE(flags.ExpressCommitted);
  ExpectSameFields(kExpressFields, committed, record);
  form.at("chkGuessName").checked = false;
  form.at("mnuMenuTop").checked = false;
  EXPECT_FALSE(CommitExpress(form, &committed, &flags));
  EXPECT_EQ(committed.ExpressMenuLocation, "top");  // no item checked: the field stays
  EXPECT_EQ(committed.ExpressLinkTarget, "same");
  EXPECT_EQ(committed.ExpressFontFace, "-1");
  EXPECT_EQ(committed.ExpressFontName, "");
  EXPECT_EQ(committed.ExpressColorPageText, "4294967295");
}

TEST(SettingsTransferTest, ExpressFontNameWinsOverTheIndex) {
  for (const char* name : {"Verdana", "Gone Sans"}) {
    ExpressSettings record;
    record.ExpressFontFace = "0";
    record.ExpressFontName = name;
    Form form = NewExpressForm(record, kFonts);
    SetOptionsExp(&record, &form);
    ExpressSettings committed;
    CommittedFlags flags;
    ASSERT_FALSE(CommitExpress(form, &committed, &flags));
    EXPECT_EQ(committed.ExpressFontName, name);
    EXPECT_EQ(committed.ExpressFontFace, std::string(name) == "Verdana" ? "2" : "-1");
  }
}

TEST(SettingsTransferTest, SettingsCommandRefillsCommittedDialogsAndShowsTheMode) {
  const struct {
    bool advanced_committed, express_committed, advanced_checked, express_checked;
    SettingsDialog show;
  } cases[] = {{true, true, false, true, SettingsDialog::kExpress},
               {false, true, true, false, SettingsDialog::kAdvanced},
               {true, false, true, true, SettingsDialog::kNone},
               {false, false, false, false, SettingsDialog::kNone}};
  for (const auto& c : cases) {
    CommittedFlags flags{c.advanced_committed, c.express_committed};
    SettingsCommand command = PlanSettingsCommand(flags, c.advanced_checked, c.express_checked);
    EXPECT_EQ(command.set_options, c.advanced_committed);
    EXPECT_EQ(command.set_options_exp, c.express_committed);
    EXPECT_EQ(command.show, c.show) << c.advanced_checked << c.express_checked;
  }
}
