#include "pages/titles.h"

#include "settings/text.h"

namespace {

std::string CollapseSpaces(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
  return out;
}

std::string RemoveDigits(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c < '0' || c > '9') out += c;
  return out;
}

// Pattern 1: a space goes before every occurrence of a capital (or one of
// [ \ ] ^ _) that stands before a character that is neither a capital nor a
// blank. The walk looks at positions 2 to the starting length; the name grows
// while it is walked, so a replaced capital may be met again further on.
std::string SpaceBeforeCapitals(std::string name) {
  std::vector<std::string> chars = SplitChars(name);
  size_t start_len = chars.size();
  for (size_t i = 2; i <= start_len && i < chars.size(); ++i) {
    const std::string& c = chars[i - 1];
    const std::string& d = chars[i];
    unsigned char cc = static_cast<unsigned char>(c[0]);
    unsigned char dc = static_cast<unsigned char>(d[0]);
    bool c_capital = c.size() == 1 && cc >= 65 && cc <= 95;
    bool d_plain = d.size() > 1 || ((dc < 65 || dc > 90) && dc != 32);
    if (!c_capital || !d_plain) continue;
    name = ReplaceAll(name, c, " " + c);
    chars = SplitChars(name);
  }
  return name;
}

const char kNegativeCut[] = "negative length in a name cut";

std::string CharLeftChecked(const std::string& text, int64_t n) {
  if (n < 0) throw PageError(kNegativeCut);
  return CharLeft(text, n);
}

std::string CharRightChecked(const std::string& text, int64_t n) {
  if (n < 0) throw PageError(kNegativeCut);
  return CharRight(text, n);
}

size_t CountWithoutBlanks(const std::string& text) { return CharCount(ReplaceAll(text, " ", "")); }

std::string CutInTheMiddle(const std::string& name, int64_t max, const std::string& replacement) {
  int64_t trimmed_len = static_cast<int64_t>(CharCount(Trim(replacement)));
  int64_t half = RoundHalfEven(max / 2.0);
  std::string left = CharLeftChecked(name, half);
  std::string right = CharRightChecked(name, half);
  if (trimmed_len > max / 2.0) {  // each half must fit with the replacement first
    left = CharLeftChecked(left, std::max<int64_t>(0, max - trimmed_len));
    right = CharRightChecked(right, std::max<int64_t>(0, max - trimmed_len));
  }
  std::string result = left + replacement + right;
  while (static_cast<int64_t>(CountWithoutBlanks(result)) > max &&
         !(left.empty() && right.empty())) {
    left = CharLeft(left, static_cast<int64_t>(CharCount(left)) - 1);
    right = CharRight(right, static_cast<int64_t>(CharCount(right)) - 1);
    result = left + replacement + right;
  }
  return result;
}

}  // namespace

std::string GuessTitle(const std::string& file_name, int pattern) {
  std::string name = file_name;
  for (const char* ext : {".jpg", ".jpeg", ".gif", ".bmp"}) name = ReplaceAll(name, ext, "");
  name = RemoveDigits(ReplaceAll(name, "  ", ""));
  switch (pattern) {
    case 0:
      return CollapseSpaces(Trim(ReplaceAll(name, "_", "")));
    case 1:
      return CollapseSpaces(Trim(ReplaceAll(SpaceBeforeCapitals(name), "_", "")));
    case 2:
      return CollapseSpaces(Trim(ReplaceAll(name, "_", " ")));
    default:
      return "";
  }
}

std::string ShortenName(const std::string& name, const AdvancedSettings& settings) {
  int64_t max = RoundHalfEven(Val(settings.FNameMaxLet));
  const std::string& replacement = settings.FNameReplaceStr;
  int64_t trimmed_len = static_cast<int64_t>(CharCount(Trim(replacement)));
  if (max >= static_cast<int64_t>(CharCount(name))) return name;
  if (settings.FNameReplaceLoc == "0")
    return replacement + CharRightChecked(name, max - trimmed_len);
  if (settings.FNameReplaceLoc == "1") return CutInTheMiddle(name, max, replacement);
  if (settings.FNameReplaceLoc == "2")
    return CharLeftChecked(name, max - trimmed_len) + replacement;
  return name;
}

std::string PictureTitle(const std::string& file_name, bool allow_shortening,
                         const AdvancedSettings& settings) {
  std::string name = file_name;
  if (IsOn(settings.FNameExtKill)) {
    int64_t keep = static_cast<int64_t>(CharCount(name)) -
                   static_cast<int64_t>(CharCount(GetExtension(name))) - 1;
    name = CharLeftChecked(name, keep);
  }
  if (IsOn(settings.UseGuess)) name = GuessTitle(name, RoundHalfEven(Val(settings.PatternIndex)));
  if (IsOn(settings.ShortFNames) && allow_shortening) name = ShortenName(name, settings);
  return name;
}
