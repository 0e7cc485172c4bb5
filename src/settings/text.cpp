#include "settings/text.h"

#include <locale.h>
#include <wctype.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length in bytes of the UTF-8 sequence that starts with `lead`; stray
// continuation bytes and invalid leads count as one character each.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

// Byte offset of the start of each character, plus the end offset.
std::vector<size_t> CharOffsets(std::string_view text) {
  std::vector<size_t> offsets;
  size_t i = 0;
  while (i < text.size()) {
    offsets.push_back(i);
    i = std::min(text.size(), i + SequenceLength(static_cast<unsigned char>(text[i])));
  }
  offsets.push_back(text.size());
  return offsets;
}

// True when a whole multi-byte UTF-8 sequence starts at `i`.
bool IsSequence(std::string_view text, size_t i) {
  unsigned char lead = static_cast<unsigned char>(text[i]);
  size_t length = SequenceLength(lead);
  if (lead < 0xC2 || lead > 0xF4 || i + length > text.size()) return false;
  for (size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
  return true;
}

char32_t DecodeChar(std::string_view s) {
  auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  if (s.size() == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
  if (s.size() == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
  if (s.size() == 4)
    return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
  return b(0);
}

void EncodeChar(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// True when the whole text is one decimal number: an optional sign, digits
// with an optional decimal part, and an optional exponent.
bool IsDecimalNumber(std::string_view text) {
  size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent_digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return i == text.size();
}

// Unicode simple lower case, the same whatever locale the process runs in.
char32_t FoldCase(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  wint_t wide = static_cast<wint_t>(c);
  return static_cast<char32_t>(unicode ? towlower_l(wide, unicode) : std::towlower(wide));
}

}  // namespace

double Val(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) number += text[i++], ++digits;
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && IsDigit(text[i])) number += text[i++], ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    size_t exponent_digits = 0;
    while (j < text.size() && IsDigit(text[j]) && exponent_digits < 6)
      exponent += text[j++], ++exponent_digits;
    if (exponent_digits > 0) number += exponent;
  }
  double value = std::strtod(number.c_str(), nullptr);
  return std::isfinite(value) ? value : 0;
}

int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 9.2e18;
  if (value >= kLimit) return static_cast<int64_t>(kLimit);
  if (value <= -kLimit) return -static_cast<int64_t>(kLimit);
  double floor = std::floor(value);
  double diff = value - floor;
  int64_t whole = static_cast<int64_t>(floor);
  if (diff > 0.5) return whole + 1;
  if (diff < 0.5) return whole;
  return (whole % 2 == 0) ? whole : whole + 1;
}

bool ValToInt16(std::string_view text, int16_t* out) {
  int64_t value = RoundHalfEven(Val(text));
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
    return false;
  *out = static_cast<int16_t>(value);
  return true;
}

bool ValInRange(std::string_view text, int low, int high, int* value) {
  int16_t number = 0;
  if (!ValToInt16(text, &number) || number < low || number > high) return false;
  *value = number;
  return true;
}

bool IsOn(std::string_view flag) { return Val(flag) == 1; }

bool IsNumber(std::string_view text) { return IsDecimalNumber(Trim(text)); }

std::string NumText(int64_t value) { return std::to_string(value); }

std::string SignedNumText(int64_t value) {
  return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

std::string NumberText(double value) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char text[32];
  std::snprintf(text, sizeof text, "%.15G", value);
  return text;
}

bool ParseBoolean(std::string_view text, bool* value) {
  std::string word = LowerCase(Trim(text));
  if (word == "true" || word == "false") {
    *value = word == "true";
    return true;
  }
  if (!IsDecimalNumber(word)) return false;
  *value = Val(word) != 0;
  return true;
}

const char* BooleanText(bool value) { return value ? "True" : "False"; }

std::string Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return "";
  size_t end = text.find_last_not_of(' ');
  return std::string(text.substr(begin, end - begin + 1));
}

std::vector<std::string> ParseString(std::string_view text, std::string_view separators) {
  std::vector<char32_t> separator_chars;
  std::vector<size_t> sep_offsets = CharOffsets(separators);
  for (size_t i = 0; i + 1 < sep_offsets.size(); ++i)
    separator_chars.push_back(FoldCase(
        DecodeChar(separators.substr(sep_offsets[i], sep_offsets[i + 1] - sep_offsets[i]))));
  auto is_separator = [&](std::string_view ch) {
    char32_t folded = FoldCase(DecodeChar(ch));
    for (char32_t s : separator_chars)
      if (s == folded) return true;
    return false;
  };
  std::vector<std::string> tokens;
  std::string token;
  std::vector<size_t> offsets = CharOffsets(text);
  for (size_t i = 0; i + 1 < offsets.size(); ++i) {
    std::string_view ch = text.substr(offsets[i], offsets[i + 1] - offsets[i]);
    if (is_separator(ch)) {
      if (!token.empty()) tokens.push_back(std::move(token));
      token.clear();
    } else {
      token += ch;
    }
  }
  if (!token.empty()) tokens.push_back(std::move(token));
  return tokens;
}

uint32_t ColourValue(std::string_view colour_text) {
  double value = static_cast<double>(RoundHalfEven(Val(colour_text)));
  if (value >= 0 && value <= 4294967295.0) return static_cast<uint32_t>(value);
  if (value < 0 && value >= -2147483648.0)
    return static_cast<uint32_t>(static_cast<int32_t>(value));
  return 0;
}

std::string HtmlColour(std::string_view colour_text) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%X", ColourValue(colour_text));
  std::string h = hex;
  if (h.size() < 6) h.insert(0, 6 - h.size(), '0');
  return "#" + h.substr(4) + h.substr(2, 2) + h.substr(0, 2);
}

std::string GetExtension(std::string_view name) {
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return "";
  if (name.find('/', dot) != std::string_view::npos) return "";
  return std::string(name.substr(dot + 1));
}

std::string BaseName(std::string_view name) {
  size_t cut = name.size() - GetExtension(name).size();
  if (cut > 0 && name[cut - 1] == '.') --cut;
  return std::string(name.substr(0, cut));
}

std::string ShortenText(std::string_view text, int max_len) {
  if (static_cast<int64_t>(CharCount(text)) <= max_len) return std::string(text);
  int64_t head = RoundHalfEven(max_len / 2.0 - 3);
  int64_t tail = RoundHalfEven(max_len / 2.0 - 4);
  return CharLeft(text, head) + "...." + CharRight(text, tail);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (size_t hit; (hit = text.find(from, pos)) != std::string_view::npos;
       pos = hit + from.size()) {
    out.append(text.substr(pos, hit - pos));
    out.append(to);
  }
  out.append(text.substr(pos));
  return out;
}

size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    size_t j = 0;
    while (j < needle.size() && std::tolower(static_cast<unsigned char>(text[i + j])) ==
                                    std::tolower(static_cast<unsigned char>(needle[j])))
      ++j;
    if (j == needle.size()) return i;
  }
  return std::string_view::npos;
}

std::string RemoveAllNoCase(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = FindNoCase(text, needle, pos)) != std::string_view::npos;
       pos = hit + needle.size())
    out.append(text.substr(pos, hit - pos));
  out.append(text.substr(pos));
  return out;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

size_t CharCount(std::string_view text) { return CharOffsets(text).size() - 1; }

std::string CharLeft(std::string_view text, int64_t n) {
  if (n <= 0) return "";
  std::vector<size_t> offsets = CharOffsets(text);
  size_t count = offsets.size() - 1;
  if (static_cast<uint64_t>(n) >= count) return std::string(text);
  return std::string(text.substr(0, offsets[n]));
}

std::string CharRight(std::string_view text, int64_t n) {
  if (n <= 0) return "";
  std::vector<size_t> offsets = CharOffsets(text);
  size_t count = offsets.size() - 1;
  if (static_cast<uint64_t>(n) >= count) return std::string(text);
  return std::string(text.substr(offsets[count - n]));
}

std::vector<std::string> SplitChars(std::string_view text) {
  std::vector<size_t> offsets = CharOffsets(text);
  std::vector<std::string> chars;
  chars.reserve(offsets.size() - 1);
  for (size_t i = 0; i + 1 < offsets.size(); ++i)
    chars.emplace_back(text.substr(offsets[i], offsets[i + 1] - offsets[i]));
  return chars;
}

std::string LowerCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = IsSequence(text, i) ? SequenceLength(lead) : 1;
    if (lead < 0x80)
      out.push_back(static_cast<char>(FoldCase(lead)));
    else if (length > 1)
      EncodeChar(FoldCase(DecodeChar(text.substr(i, length))), &out);
    else
      out.push_back(static_cast<char>(lead));  // not valid UTF-8: kept as it is
    i += length;
  }
  return out;
}
