#include "forms/settings_transfer.h"

#include <algorithm>
#include <utility>

#include "forms/snipplet_rows.h"
#include "settings/text.h"

namespace {

using enum ControlKind;

struct MenuItem {
  const char* control;
  const char* value;
};

constexpr MenuItem kMenuLocations[] = {
    {"mnuMenuTop", "top"}, {"mnuMenuBottom", "bottom"}, {"mnuMenuBoth", "both"}};
constexpr MenuItem kLinkTargets[] = {{"mnuOpenInSame", "same"},
                                     {"mnuOpenInNew", "new"},
                                     {"mnuOpenInJava", "java"},
                                     {"mnuOpenInViewer", "viewer"}};

template <typename Record, size_t N>
void AddControls(const std::array<Binding<Record>, N>& bindings, Form* form) {
  for (const Binding<Record>& b : bindings) (*form)[b.control].kind = b.kind;
}

template <typename Record>
void FillValue(const Binding<Record>& b, const std::string& value, Control* c) {
  if (b.kind == kCheck)
    c->checked = IsOn(value);
  else if (b.kind == kList)
    ChooseEntry(Val(value), c);
  else if (b.kind == kColour)
    c->colour = ColourValue(value);
  else
    c->text = b.rule == FieldRule::kTrimOnFill ? Trim(value) : value;
  if (c->text.empty() && b.when_empty) c->text = b.when_empty;
}

// One field into its control; false when a check box that takes only
// numbers gets none.
template <typename Record>
bool Fill(const Binding<Record>& b, const Record& record, Control* c, std::string* err) {
  if (b.flag) {
    c->checked = record.*b.flag;
    return true;
  }
  const std::string& value = record.*b.text;
  if (b.rule == FieldRule::kNumber && !IsNumber(value)) {
    if (err) *err = std::string(b.field) + " is not a number: \"" + value + "\"";
    return false;
  }
  FillValue(b, value, c);
  return true;
}

template <typename Record>
void Commit(const Binding<Record>& b, const Control& c, Record* record) {
  if (b.flag) {
    record->*b.flag = c.checked;
    return;
  }
  std::string& field = record->*b.text;
  if (b.kind == kCheck)
    field = c.checked ? "1" : "0";
  else if (b.kind == kList)
    field = NumText(c.index);
  else if (b.kind == kColour)
    field = NumText(c.colour);
  else
    field = b.rule == FieldRule::kTrimOnCommit ? Trim(OneLine(c.text)) : OneLine(c.text);
}

template <typename Record, size_t N>
void CommitAll(const std::array<Binding<Record>, N>& bindings, const Form& form, Record* record) {
  for (const Binding<Record>& b : bindings) Commit(b, form.at(b.control), record);
}

std::optional<Refusal> CheckAdvanced(Form* form) {
  bool in_subfolder = form->at("chkStoreInSub").checked;
  if (form->at("txtThumbExt").text.empty() && !in_subfolder)
    return Refusal{.message =
                       "You have selected to store thumbnails in the same folder\r"
                       "and, at the same time, have not specified thumb\r"
                       "extension. Doing so is illegal and unconstitutional.\r"
                       "Either check 'Store in subfolder' or specify thumb extension.",
                   .tab = 0};
  Control& max_letters = form->at("txtFNameMaxLet");
  Control& replacement = form->at("txtFNameReplaceStr");
  if (Val(max_letters.text) <= static_cast<double>(CharCount(replacement.text))) {
    max_letters.text = "20";
    replacement.text = "...";
    return Refusal{.message =
                       "Replacing string may NOT be longer than or the same\r"
                       "as the maximum number of letters allowed.",
                   .tab = 5};
  }
  Control& subfolder = form->at("txtSubFolderName");
  if (Trim(subfolder.text).empty() && in_subfolder) {
    subfolder.text = "";
    return Refusal{.message =
                       "You have selected to store thumbnails in a subfolder\r"
                       "and left the subfolder name empty.",
                   .tab = 0,
                   .focus = "txtSubFolderName"};
  }
  return std::nullopt;
}

template <size_t N>
void CheckMenuItems(const MenuItem (&items)[N], const std::string& value, Form* form) {
  for (const MenuItem& item : items) form->at(item.control).checked = value == item.value;
}

void CheckExpressMenus(const ExpressSettings& record, Form* form) {
  CheckMenuItems(kMenuLocations, record.ExpressMenuLocation, form);
  CheckMenuItems(kLinkTargets, record.ExpressLinkTarget, form);
  bool other_target = true;
  for (const MenuItem& item : kLinkTargets)
    other_target = other_target && !form->at(item.control).checked;
  if (other_target) form->at("mnuOpenInSame").checked = true;
}

// The value of the last checked item of a menu group; the field stays when none is.
template <size_t N>
void CommitMenuItems(const MenuItem (&items)[N], const Form& form, std::string* field) {
  for (const MenuItem& item : items)
    if (form.at(item.control).checked) *field = item.value;
}

void ChooseFontByName(const std::string& name, Control* fonts) {
  auto hit = std::find(fonts->entries.begin(), fonts->entries.end(), name);
  ChooseEntry(hit == fonts->entries.end() ? -1 : hit - fonts->entries.begin(), fonts);
  fonts->text = name;
}

std::string ChosenFontName(const Control& fonts) {
  bool listed = fonts.index >= 0 && fonts.index < static_cast<int>(fonts.entries.size());
  return listed ? fonts.entries[fonts.index] : fonts.text;
}

}  // namespace

Form NewAdvancedForm() {
  Form form;
  AddControls(kAdvancedBindings, &form);
  form["cboHTMLExt"].entries = {kPageExtensions.begin(), kPageExtensions.end()};
  form["cboPatternIndex"].entries = kNamePatternEntries;
  form["cboFNameReplaceLoc"].entries = kReplaceLocationEntries;
  form["cboBots"].entries = kRobotsEntries;
  form["lstRows"].kind = kRowList;
  // The first values of the record are the dialog's own, and fill without fail.
  SetOptions(AdvancedSettings(), &form, nullptr);
  return form;
}

Form NewThumbCodeForm() {
  Form form;
  AddControls(kThumbCodeBindings, &form);
  SetThumbOptions(AdvancedSettings(), &form);
  return form;
}

Form NewExpressForm(const ExpressSettings& record, std::vector<std::string> fonts) {
  Form form;
  AddControls(kExpressBindings, &form);
  for (const MenuItem& item : kMenuLocations) form[item.control].kind = kCheck;
  for (const MenuItem& item : kLinkTargets) form[item.control].kind = kCheck;
  form["chkResponsive"].kind = kCheck;
  std::sort(fonts.begin(), fonts.end());
  form["cboFonts"].entries = std::move(fonts);
  form["cboPixelPercent"].entries = kPixelPercentEntries;
  std::vector<std::string>& patterns = form["cboPatternIndex"].entries;
  patterns = kNamePatternEntries;
  patterns.insert(patterns.begin(), "Select Pattern");  // entry 0: none chosen
  ExpressSettings first;
  SetOptionsExp(&first, &form);
  CheckExpressMenus(record, &form);
  return form;
}

bool SetOptions(const AdvancedSettings& record, Form* form, std::string* err) {
  for (const Binding<AdvancedSettings>& b : kAdvancedBindings)
    if (!Fill(b, record, &form->at(b.control), err)) return false;
  // The row list comes after GenMenu and UseJava, the only fields that fail.
  FillSnippletList(record.Rows, record.SnippletFiles, record.SnippletRows, &form->at("lstRows"));
  return true;
}

void SetThumbOptions(const AdvancedSettings& record, Form* form) {
  for (const Binding<AdvancedSettings>& b : kThumbCodeBindings)
    Fill(b, record, &form->at(b.control), nullptr);
}

void SetOptionsExp(ExpressSettings* record, Form* form) {
  record->ExpressLinkTarget = Trim(record->ExpressLinkTarget);
  record->ExpressMenuLocation = Trim(record->ExpressMenuLocation);
  CheckExpressMenus(*record, form);
  for (const Binding<ExpressSettings>& b : kExpressBindings)
    Fill(b, *record, &form->at(b.control), nullptr);
  if (!record->ExpressFontName.empty())
    ChooseFontByName(record->ExpressFontName, &form->at("cboFonts"));
  form->at("chkResponsive").checked = IsOn(record->ExpressResponsive);
}

std::optional<Refusal> CommitAdvanced(Form* form, AdvancedSettings* record, CommittedFlags* flags) {
  if (std::optional<Refusal> refusal = CheckAdvanced(form)) return refusal;
  flags->AdvancedCommitted = true;
  CommitAll(kAdvancedBindings, *form, record);
  CaptureSnippletList(form->at("lstRows"), record);
  return std::nullopt;
}

void CommitThumbCodes(const Form& form, AdvancedSettings* record, CommittedFlags* flags) {
  flags->ThumbCodesCommitted = true;
  CommitAll(kThumbCodeBindings, form, record);
}

std::optional<Refusal> CommitExpress(const Form& form, ExpressSettings* record,
                                     CommittedFlags* flags) {
  flags->ExpressCommitted = true;
  if (form.at("chkGuessName").checked && form.at("cboPatternIndex").index == 0)
    return Refusal{.message =
                       "You activated Guess Image Title\rbut did not select file naming pattern."};
  CommitMenuItems(kMenuLocations, form, &record->ExpressMenuLocation);
  CommitMenuItems(kLinkTargets, form, &record->ExpressLinkTarget);
  CommitAll(kExpressBindings, form, record);
  record->ExpressFontName = ChosenFontName(form.at("cboFonts"));
  record->ExpressResponsive = form.at("chkResponsive").checked ? "1" : "0";
  return std::nullopt;
}

SettingsCommand PlanSettingsCommand(const CommittedFlags& flags, bool mode_advanced_checked,
                                    bool mode_express_checked) {
  SettingsCommand command{flags.AdvancedCommitted, flags.ExpressCommitted};
  if (mode_advanced_checked && !mode_express_checked) command.show = SettingsDialog::kAdvanced;
  if (mode_express_checked && !mode_advanced_checked) command.show = SettingsDialog::kExpress;
  return command;
}
