#include "settings/text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

bool FitsInt16(int64_t value) {
  return value >= std::numeric_limits<int16_t>::min() &&
         value <= std::numeric_limits<int16_t>::max();
}

bool ValToInt16(std::string_view text, int16_t* out) {
  int64_t value = RoundHalfEven(Val(text));
  if (!FitsInt16(value)) return false;
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
  std::vector<std::string> separator_chars = SplitChars(LowerCase(separators));
  auto is_separator = [&](const std::string& ch) {
    return std::find(separator_chars.begin(), separator_chars.end(), LowerCase(ch)) !=
           separator_chars.end();
  };
  std::vector<std::string> tokens;
  std::string token;
  for (const std::string& ch : SplitChars(text)) {
    if (!is_separator(ch)) {
      token += ch;
    } else if (!token.empty()) {
      tokens.push_back(std::move(token));
      token.clear();
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
