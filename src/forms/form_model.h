// The controls of a settings dialog as plain values keyed by control name,
// and the tables that bind each settings field to its control. A window binds
// its widgets to these values by objectName; what the controls hold and how
// they become settings is decided here, without a window.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "settings/records.h"

enum class ControlKind {
  kText,     // one-line text box
  kCode,     // code box: may hold line breaks, which never reach a field
  kCheck,    // check box, or a checkable menu item
  kOption,   // option button of a group
  kList,     // drop-down list or combo box: entries and the chosen one
  kCaption,  // hidden label whose caption holds a value
  kColour,   // colour label: its background colour is the value
  kRowList,  // list whose entries are selected one by one (lstRows)
};

/// One control's state. Only the members of its kind are used.
struct Control {
  ControlKind kind = ControlKind::kText;
  std::string text;                  // text, code, caption; a list's shown text
  bool checked = false;              // check box, option button
  int index = -1;                    // list: chosen entry; row list: current entry; -1 none
  std::vector<std::string> entries;  // list, row list
  std::vector<bool> selected;        // row list: one per entry
  uint32_t colour = 0;               // colour label: 0x00BBGGRR
};

/// A dialog's controls by name ("txtRows", "chkUseJava", ...).
using Form = std::map<std::string, Control>;

/// Chooses entry `value` (rounded half to even) of a list and shows its text;
/// a value outside the entries leaves no entry chosen and an empty text.
void ChooseEntry(double value, Control* list);

/// What happens to a field's text on its way between record and form.
enum class FieldRule {
  kAsIs,
  kTrimOnCommit,  // trimmed of blanks when the dialog commits
  kTrimOnFill,    // trimmed when the form is filled
  kNumber,        // a check box whose field must be a number to fill the form
};

/// One settings field and the control that edits it, as the field lists
/// (settings/advanced_fields.h, settings/express_fields.h) declare them.
/// Switches use `flag`, every other field `text` (a check box as "1"/"0", a
/// list as its index, a colour as its decimal value).
template <typename Record>
struct Binding {
  const char* field;
  std::string Record::*text;
  bool Record::*flag;
  const char* control;
  ControlKind kind;
  FieldRule rule = FieldRule::kAsIs;
  const char* when_empty = nullptr;  // what the form shows for an empty field
};

/// The fields of frmOptions, in record order: every field of AdvancedSettings
/// except SnippletRows and SnippletFiles (the row list lstRows) and the two
/// thumbnail codes (kThumbCodeBindings).
extern const std::array<Binding<AdvancedSettings>, 82> kAdvancedBindings;

/// The two code boxes of frmNPControl.
extern const std::array<Binding<AdvancedSettings>, 2> kThumbCodeBindings;

/// The fields of frmOptions2 except the menu location and link target (menu
/// items) and the font name (the text of cboFonts).
extern const std::array<Binding<ExpressSettings>, 38> kExpressBindings;

/// Entries of the dialogs' drop-down lists.
extern const std::vector<std::string> kNamePatternEntries;      // cboPatternIndex
extern const std::vector<std::string> kReplaceLocationEntries;  // cboFNameReplaceLoc
extern const std::vector<std::string> kRobotsEntries;           // cboBots
extern const std::vector<std::string> kPixelPercentEntries;     // cboPixelPercent
