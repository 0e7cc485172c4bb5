// Takes any bytes as a file name and as page code: the UTF-8 layer must
// account for every byte, a name filled into code must never bring a quote,
// "<" or ">" of its own, and a picture title made of the name may fail only
// with PageError.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pages/html_text.h"
#include "pages/titles.h"
#include "settings/text.h"

namespace {

void Check(bool holds) {
  if (!holds) abort();
}

void CheckCharacters(std::string_view text) {
  std::string joined;
  for (const std::string& c : SplitChars(text)) joined += c;
  Check(joined == text);
  Check(SplitChars(text).size() == CharCount(text));
  Check(CharLeft(text, 3) + CharRight(text, static_cast<int64_t>(CharCount(text)) - 3) == text ||
        CharCount(text) < 3);
  Check(LowerCase(text).size() <= text.size() * 2);
  Check(IsValidUtf8(ReplaceBrokenBytes(text)));
  Check(IsValidUtf8(text) == (ReplaceBrokenBytes(text) == text));
  for (unsigned char c : VisibleControls(text)) Check(c >= 0x20 && c != 0x7F);
}

// The name's own bytes come out without any character that ends a value,
// a tag or a script string.
void CheckFilled(std::string_view code, std::string_view name) {
  const std::string tag = "[N]";
  std::string marked = std::string(code) + tag;
  std::string filled = FillNameTag(marked, tag, name);
  std::string before = FillNameTag(code, tag, name);
  Check(filled.starts_with(before));
  std::string_view written = std::string_view(filled).substr(before.size());
  for (char c : written) Check(c != '"' && c != '<' && c != '>');
  Check(IsValidUtf8(written));
}

// Every naming pattern, and a cut whose length, place and replacement the
// code's first bytes choose.
void CheckTitle(std::string_view name, std::string_view code) {
  for (int pattern = -1; pattern <= 3; ++pattern) (void)GuessTitle(std::string(name), pattern);
  unsigned char knob = code.empty() ? 0 : static_cast<unsigned char>(code[0]);
  AdvancedSettings s;
  s.UseGuess = s.ShortFNames = "1";
  s.FNameExtKill = knob < 128 ? "1" : "0";
  s.PatternIndex = std::to_string(knob % 3);
  s.FNameMaxLet = std::to_string(knob % 30);
  s.FNameReplaceLoc = std::to_string(knob / 30 % 3);
  s.FNameReplaceStr = std::string(code.substr(code.empty() ? 0 : 1, 8));
  try {
    (void)PictureTitle(std::string(name), true, s);
  } catch (const PageError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\0');
  std::string_view name = input.substr(0, cut);
  std::string_view code = cut == std::string_view::npos ? "" : input.substr(cut + 1);
  CheckCharacters(input);
  CheckFilled(code, name);
  CheckTitle(name, code);
  return 0;
}
