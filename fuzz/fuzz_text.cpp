// Takes any bytes as a file name and as page code: the UTF-8 layer must
// account for every byte, and a name filled into code must never bring a
// quote, "<" or ">" of its own.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pages/html_text.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find('\0');
  std::string_view name = input.substr(0, cut);
  std::string_view code = cut == std::string_view::npos ? "" : input.substr(cut + 1);
  CheckCharacters(input);
  CheckFilled(code, name);
  return 0;
}
