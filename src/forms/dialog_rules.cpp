#include "forms/dialog_rules.h"

#include <algorithm>
#include <cmath>

#include "settings/text.h"

namespace {

enum class Rule { kNotEmpty, kAtLeastOne, kAtLeastThree, kFontSize };

struct LeaveCheck {
  CheckedDialog dialog;
  std::string_view control;
  Rule rule;
  int tab = -1;  // the Advanced dialog's tab that holds the control
};

using enum CheckedDialog;
using enum Rule;

constexpr LeaveCheck kLeaveChecks[] = {
    {kMain, "txtThumbH", kAtLeastOne},
    {kMain, "txtThumbW", kAtLeastOne},
    {kAdvanced, "txtRows", kAtLeastOne, 0},
    {kAdvanced, "txtCols", kAtLeastOne, 0},
    {kAdvanced, "txtUnits", kAtLeastOne, 0},
    {kAdvanced, "txtStartAt", kNotEmpty, 0},
    {kAdvanced, "txtPageFileName", kNotEmpty, 0},
    {kAdvanced, "txtBreakMenuNum", kAtLeastOne, 3},
    {kAdvanced, "txtFNameMaxLet", kAtLeastThree, 5},
    {kExpress, "txtRows", kAtLeastOne},
    {kExpress, "txtCols", kAtLeastOne},
    {kExpress, "txtTableWidth", kAtLeastOne},
    {kExpress, "txtImgBorder", kNotEmpty},
    {kExpress, "txtTableBorder", kNotEmpty},
    {kExpress, "txtFontSize", kFontSize},
    {kTableOptions, "txtPadding", kNotEmpty},
    {kTableOptions, "txtSpacing", kNotEmpty},
    {kFontBuilder, "txtFontSize", kFontSize},
};

constexpr int kMaxPageDigits = 255;  // as many as the page writer pads to

// The message of a broken rule, or nothing when `text` keeps it.
std::optional<std::string> Broken(Rule rule, std::string* text) {
  constexpr const char* kEmptyOrZero = "This field can not be empty or zero!";
  double value = Val(*text);
  switch (rule) {
    case kNotEmpty:
      if (text->empty()) return "This field can not be empty!";
      break;
    case kAtLeastOne:
      if (value < 1) return kEmptyOrZero;
      break;
    case kAtLeastThree:
      if (value < 3) return "This field can not be less than 3!";
      break;
    case kFontSize:
      if (value < 1) return kEmptyOrZero;
      if (value > 48) {
        *text = "48";
        return "Hi. Please enter a value between 1 and 48";
      }
  }
  return std::nullopt;
}

}  // namespace

std::string PageFileNamePreview(std::string_view page_file_name, std::string_view units,
                                std::string_view start_at, bool as_prefix,
                                std::string_view extension) {
  double digits = std::min(Val(units), double{kMaxPageDigits});
  std::string number(start_at);
  double length = static_cast<double>(CharCount(number));
  if (length < digits) number.insert(0, static_cast<size_t>(std::ceil(digits - length)), '0');
  std::string name(page_file_name);
  return (as_prefix ? number + name : name + number) + std::string(extension);
}

std::optional<Refusal> CheckOnLeave(CheckedDialog dialog, std::string_view control,
                                    std::string* text) {
  for (const LeaveCheck& check : kLeaveChecks) {
    if (check.dialog != dialog || check.control != control) continue;
    std::optional<std::string> message = Broken(check.rule, text);
    if (!message) return std::nullopt;
    return Refusal{.message = *message, .tab = check.tab, .focus = std::string(control)};
  }
  return std::nullopt;
}

std::string OneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  return line;
}

std::string StyleCodeFromCss(std::string_view css) {
  if (css.starts_with(kUtf8Bom)) css.remove_prefix(kUtf8Bom.size());
  std::string collapsed;
  for (char c : OneLine(css))
    if (c != ' ' || collapsed.empty() || collapsed.back() != ' ') collapsed += c;
  return "<STYLE><--.nu" + collapsed + " ></STYLE>";
}

FontTag BuildFontTag(const FontTagChoice& choice) {
  std::string styles, closing;
  if (choice.bold) styles += "<b>";
  if (choice.italic) styles += "<i>";
  if (choice.underline) styles += "<u>";
  if (choice.underline) closing += "</u>";
  if (choice.italic) closing += "</i>";
  if (choice.bold) closing += "</b>";
  closing += "</font>";
  std::string faces = choice.primary;
  if (!choice.secondary.empty()) faces += ", " + choice.secondary;
  std::string opening = "<font face=\"" + faces + "\" size=\"" + Trim(choice.size) + "\" color=\"" +
                        HtmlColour(NumText(choice.colour)) + "\">" + styles;
  return {opening, closing, static_cast<int>(closing.size())};
}

std::string TemplatePath(std::string_view tmpl_addy, std::string_view config_dir) {
  std::string path(tmpl_addy);
  if (path.find('/') == std::string::npos) path.insert(0, config_dir);
  return Trim(path);
}
