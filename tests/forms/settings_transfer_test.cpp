#include "forms/settings_transfer.h"

#include <gtest/gtest.h>

#include <tuple>

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
  r.Rows = "5", r.FNameMaxLet = "30", r.SnippletRows = "2,4";
  r.SnippletFiles = "/s/four.html?3^^$$^^";
  return r;
}

ExpressSettings ChangedExpress(bool flag) {
  ExpressSettings r = Changed(kExpressBindings, NewExpressForm({}, kFonts),
                              Distinct<ExpressSettings>(kExpressFields, flag));
  r.ExpressMenuLocation = "top", r.ExpressLinkTarget = "java";
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

TEST(SettingsTransferTest, RecordsSurviveFormAndCommit) {
  // A form nobody filled commits the first values, as the start-up commits do.
  AdvancedSettings a;
  a.PageTitle = "changed";
  ExpressSettings e, first;
  Form advanced = NewAdvancedForm();
  CommittedFlags flags;
  EXPECT_FALSE(CommitAdvanced(&advanced, &a, &flags));
  EXPECT_FALSE(CommitExpress(NewExpressForm(first, kFonts), &e, &flags));
  first.ExpressFontName = "Arial";  // the first of the sorted fonts
  ExpectSameFields(kAdvancedFields, a, AdvancedSettings());
  ExpectSameFields(kExpressFields, e, first);
  ExpectSameFields(kAdvancedFields, RoundTrip(AdvancedSettings()), AdvancedSettings());
  ExpectSameFields(kExpressFields, RoundTrip(first), first);
  for (bool flag : {true, false}) {
    ExpectSameFields(kAdvancedFields, RoundTrip(ChangedAdvanced(flag)), ChangedAdvanced(flag));
    ExpectSameFields(kExpressFields, RoundTrip(ChangedExpress(flag)), ChangedExpress(flag));
  }
}

TEST(SettingsTransferTest, AdvancedChecksRefuseInOrderAndChangeNoRecord) {
  // txtThumbExt, txtFNameMaxLet, txtFNameReplaceStr, txtSubFolderName, chkStoreInSub; the
  // message's first line ("" when the commit passes), tab, focus; the last three texts after.
  const std::tuple<const char*, const char*, const char*, const char*, bool, std::string, int,
                   const char*, const char*>
      cases[] = {
          {"", "3", "...", " ", false, "You have selected to store thumbnails in the same folder",
           0, "", "3|...| "},
          {" ", "3", "abc", " ", false, "Replacing string may NOT be longer than or the same", 5,
           "", "20|...| "},
          {" ", "4", "...", "  ", true, "You have selected to store thumbnails in a subfolder", 0,
           "txtSubFolderName", "4|...|"},
          {" ", "4", "...", " ", false, "", -1, "", "4|...| "},
          {"", "3", "é.", "t", true, "", -1, "", "3|é.|t"},  // letters are counted, not bytes
      };
  for (const auto& [ext, letters, replacement, sub, in_sub, message, tab, focus, after] : cases) {
    Form form = NewAdvancedForm();
    form.at("txtThumbExt").text = ext;
    form.at("txtFNameMaxLet").text = letters;
    form.at("txtFNameReplaceStr").text = replacement;
    form.at("txtSubFolderName").text = sub;
    form.at("chkStoreInSub").checked = in_sub;
    AdvancedSettings record = Distinct<AdvancedSettings>(kAdvancedFields, true), before = record;
    CommittedFlags flags;
    Refusal refusal = CommitAdvanced(&form, &record, &flags).value_or(Refusal{.title = ""});
    SCOPED_TRACE(std::string(ext) + "|" + letters + "|" + sub);
    EXPECT_EQ(
        refusal.message.substr(0, refusal.message.find('\r')) + "|" + refusal.title +
            std::to_string(refusal.tab) + refusal.focus + "|" + form.at("txtFNameMaxLet").text +
            "|" + form.at("txtFNameReplaceStr").text + "|" + form.at("txtSubFolderName").text,
        message + (message.empty() ? "|" : "|Error!") + std::to_string(tab) + focus + "|" + after);
    EXPECT_EQ(flags.AdvancedCommitted, message.empty());
    if (!message.empty()) ExpectSameFields(kAdvancedFields, record, before);
  }
}

TEST(SettingsTransferTest, ExpressFormRules) {
  ExpressSettings record;
  record.ExpressMenuLocation = " top ", record.ExpressLinkTarget = "elsewhere";
  record.ExpressFontFace = "9", record.ExpressTableWidth = " 80 ",
  record.ExpressColorPageText = "-1";
  Form form = NewExpressForm(record, kFonts);
  SetOptionsExp(&record, &form);
  EXPECT_EQ(record.ExpressMenuLocation + "|" + form.at("txtTableWidth").text, "top|80");
  EXPECT_TRUE(form.at("mnuMenuTop").checked && form.at("mnuOpenInSame").checked);
  EXPECT_EQ(form.at("cboFonts").index, -1);
  EXPECT_EQ(form.at("ColorPageText").colour, 0xFFFFFFFFu);
  CommittedFlags flags;
  ExpressSettings committed = record;
  form.at("mnuMenuTop").checked = false;
  EXPECT_FALSE(CommitExpress(form, &committed, &flags));
  // No menu location checked: the field stays.
  EXPECT_EQ(committed.ExpressMenuLocation + "|" + committed.ExpressLinkTarget + "|" +
                committed.ExpressFontFace + "|" + committed.ExpressFontName + "|" +
                committed.ExpressColorPageText,
            "top|same|-1||4294967295");
}

TEST(SettingsTransferTest, ExpressFontNameWinsOverTheIndex) {
  for (std::string name : {"Verdana", "Gone Sans"}) {
    ExpressSettings record;
    record.ExpressFontName = name;
    ExpressSettings committed = RoundTrip(record);
    EXPECT_EQ(committed.ExpressFontName + "@" + committed.ExpressFontFace,
              name + (name == "Verdana" ? "@2" : "@-1"));
  }
}
