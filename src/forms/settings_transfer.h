// Settings transfer: the settings dialogs are working copies of the records.
// A form is filled from a record (SetOptions, SetOptionsExp, SetThumbOptions)
// and copied back by the dialog's OK (the commits), after checks that may
// refuse it. A refused commit changes neither the record nor the flags,
// except that every press of OK in the Express dialog marks it committed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/dialog_rules.h"
#include "forms/form_model.h"
#include "settings/records.h"

/// Which dialogs have been committed: the Settings command refills those.
/// Each is false at start and only ever becomes true.
struct CommittedFlags {
  bool AdvancedCommitted = false;
  bool ExpressCommitted = false;     // set by every press of OK, before its check
  bool ThumbCodesCommitted = false;  // read by the template editor
};

/// frmOptions as it loads: the first values of a new AdvancedSettings, the
/// drop-down lists filled and lstRows holding its seven plain rows.
Form NewAdvancedForm();

/// frmNPControl as it loads, with the default next/previous thumbnail codes.
Form NewThumbCodeForm();

/// frmOptions2 as it loads: the first values of a new ExpressSettings,
/// cboFonts holding `fonts` sorted by character codes with the first chosen,
/// and the menu items checked as `record`'s menu location and link target say
/// ("same" for any target other than "new", "java" and "viewer"; no location item for a
/// location other than "top", "bottom" and "both").
Form NewExpressForm(const ExpressSettings& record, std::vector<std::string> fonts);

/// Fills frmOptions from the record, field by field in record order: texts as
/// they are, check boxes on for a numeric value of 1, lists at the numeric
/// value (none chosen when outside the list), captions; empty fields with a
/// sample (LinkInact, FNameMaxLet, FNameReplaceStr, the META tags,
/// MetaRevisit) show it; lstRows is rebuilt from Rows, SnippletFiles and
/// SnippletRows. Fails when GenMenu or UseJava is not a number ("" included):
/// `err` names the field and the controls from that field on keep their state.
bool SetOptions(const AdvancedSettings& record, Form* form, std::string* err);

/// Fills frmNPControl from NextThumbCode and PrevThumbCode.
void SetThumbOptions(const AdvancedSettings& record, Form* form);

/// Trims ExpressLinkTarget and ExpressMenuLocation in the record, checks the
/// menu items by them and fills frmOptions2: the border, width, padding and
/// spacing texts trimmed, colours as 32-bit values. cboFonts chooses the font
/// named ExpressFontName when there is one (none chosen, the name kept as its
/// text, when the list lacks it), else entry ExpressFontFace; an index the
/// list does not have leaves no font chosen. chkResponsive is on for an
/// ExpressResponsive of 1.
void SetOptionsExp(ExpressSettings* record, Form* form);

/// OK of frmOptions. The checks, in order: a thumbnail mark of length 0 with
/// thumbnails beside the pictures (tab 0); FNameMaxLet not above the length
/// of FNameReplaceStr (tab 5, both reset to "20" and "..."); a blank
/// subfolder name with thumbnails in a subfolder (emptied, tab 0, focus on
/// it). Passing, sets AdvancedCommitted and copies every control into its
/// field: check boxes as "1"/"0", lists as their index, code as one line,
/// trimmed where the field is; then the row list into SnippletRows and
/// SnippletFiles. The dialog disarms the insertion target before.
std::optional<Refusal> CommitAdvanced(Form* form, AdvancedSettings* record, CommittedFlags* flags);

/// OK of frmNPControl: sets ThumbCodesCommitted and both codes, one line each,
/// trimmed.
void CommitThumbCodes(const Form& form, AdvancedSettings* record, CommittedFlags* flags);

/// OK of frmOptions2: sets ExpressCommitted, then refuses a guessed title
/// without a naming pattern (cboPatternIndex at "Select Pattern"). Passing,
/// copies the last checked menu item of each group (a group with none keeps
/// its field), every control, and the chosen font's name into
/// ExpressFontName.
std::optional<Refusal> CommitExpress(const Form& form, ExpressSettings* record,
                                     CommittedFlags* flags);

enum class SettingsDialog { kNone, kAdvanced, kExpress };

/// What File > Settings does: SetOptions first when the Advanced dialog was
/// committed, then SetOptionsExp when the Express one was (whatever the mode);
/// then shows the dialog of the mode whose menu item alone is checked.
struct SettingsCommand {
  bool set_options = false;
  bool set_options_exp = false;
  SettingsDialog show = SettingsDialog::kNone;
};

SettingsCommand PlanSettingsCommand(const CommittedFlags& flags, bool mode_advanced_checked,
                                    bool mode_express_checked);
