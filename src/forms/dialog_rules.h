// Text rules of the settings dialogs and their editors that need no window:
// the page file name preview, the checks a field makes when it loses the
// focus, code box text to one line, style code from a CSS file, the font tag
// of the font tag builder and the template path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// What a refused check asks of its dialog: show `message` (lines joined by
/// CR, the error icon, an OK button) titled `title`, switch the Advanced
/// dialog's tab strip SSTab1 to `tab` and give `focus` the focus.
struct Refusal {
  std::string message = "";
  std::string title = "Error!";
  int tab = -1;            // -1: the tab stays
  std::string focus = "";  // control name, "" for none
};

/// The caption of lblFileName: the text of txtStartAt padded on the left with
/// "0" to the numeric value of txtUnits (at most 255) characters, before or
/// after the text of txtPageFileName as optAsPrefix says, then the text of
/// cboHTMLExt. A start text already that long stays whole.
std::string PageFileNamePreview(std::string_view page_file_name, std::string_view units,
                                std::string_view start_at, bool as_prefix,
                                std::string_view extension);

/// The windows whose fields are checked when they lose the focus.
enum class CheckedDialog { kMain, kAdvanced, kExpress, kTableOptions, kFontBuilder };

/// The check `control` of `dialog` makes on losing the focus with `text`, or
/// nothing when the text passes or the control has no check. The refusal
/// gives the focus back to the control; a font size above 48 also sets
/// `text` to "48".
std::optional<Refusal> CheckOnLeave(CheckedDialog dialog, std::string_view control,
                                    std::string* text);

/// A code box's text as a field holds it: every line break (CR LF as a loaded
/// file has it, or a lone LF or CR as an editor gives it) becomes one blank.
std::string OneLine(std::string_view text);

/// The style code "Add CSS File Contents" makes of a CSS file's text: line
/// breaks become blanks, every run of blanks one blank, one blank appended,
/// all inside "<STYLE><--.nu" and "></STYLE>". A leading byte-order mark is
/// dropped.
std::string StyleCodeFromCss(std::string_view css);

/// What the font tag builder holds when it builds.
struct FontTagChoice {
  std::string primary;           // face chosen in cboFonts
  std::string secondary;         // face chosen in cboFonts2, "" for "None"
  std::string size;              // text of txtFontSize
  uint32_t colour = 0x00FFFFFF;  // Label2's colour, 0x00BBGGRR
  bool bold = false, italic = false, underline = false;
};

/// A built font tag: the builder shows opening + closing in txtResult, and
/// wraps a selection in them.
struct FontTag {
  std::string opening;  // <font face=".." size=".." color="#RRGGBB"><b><i><u>
  std::string closing;  // </u></i></b></font>, each style only when chosen
  int back_step = 0;    // characters of `closing`: the caret stops before them
};

FontTag BuildFontTag(const FontTagChoice& choice);

/// The file the template button opens: the text of txtTmplAddy, with
/// `config_dir` (the folder of the last loaded .cfg, with its trailing "/")
/// before it when it holds no "/", trimmed of blanks.
std::string TemplatePath(std::string_view tmpl_addy, std::string_view config_dir);
