#include "settings/utf8.h"

#include <locale.h>
#include <wctype.h>

#include <cstdio>
#include <cwctype>

namespace {

constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";  // U+FFFD

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// What a lead byte announces: the sequence length, the smallest code point a
// sequence of that length may hold (below it is an overlong form) and the
// lead's own bits of the code point.
struct Lead {
  size_t length = 0;
  char32_t minimum = 0;
  char32_t bits = 0;
};

bool ReadLead(unsigned char byte, Lead* lead) {
  if (byte >= 0xC2 && byte <= 0xDF)
    *lead = {2, 0x80, byte & 0x1Fu};
  else if (byte >= 0xE0 && byte <= 0xEF)
    *lead = {3, 0x800, byte & 0x0Fu};
  else if (byte >= 0xF0 && byte <= 0xF4)
    *lead = {4, 0x10000, byte & 0x07u};
  else
    return false;
  return true;
}

// Unicode simple lower case, whatever locale the process runs in.
char32_t FoldCase(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  wint_t wide = static_cast<wint_t>(c);
  return static_cast<char32_t>(unicode ? towlower_l(wide, unicode) : std::towlower(wide));
}

// Byte offset of the start of each character, plus the end offset.
std::vector<size_t> CharOffsets(std::string_view text) {
  std::vector<size_t> offsets;
  for (size_t i = 0; i < text.size(); i += DecodeUtf8At(text, i).length) offsets.push_back(i);
  offsets.push_back(text.size());
  return offsets;
}

void AppendEscapedByte(unsigned char byte, std::string* out) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "\\x%02X", byte);
  out->append(hex);
}

}  // namespace

Utf8Char DecodeUtf8At(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return {1, true, lead};
  Lead shape;
  if (!ReadLead(lead, &shape) || i + shape.length > text.size()) return {1, false, lead};
  char32_t code = shape.bits;
  for (size_t k = 1; k < shape.length; ++k) {
    const auto byte = static_cast<unsigned char>(text[i + k]);
    if (!IsContinuation(byte)) return {1, false, lead};
    code = (code << 6) | (byte & 0x3F);
  }
  if (code < shape.minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return {1, false, lead};
  return {shape.length, true, code};
}

void AppendUtf8(char32_t c, std::string* out) {
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

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    Utf8Char c = DecodeUtf8At(text, i);
    if (!c.valid) return false;
    i += c.length;
  }
  return true;
}

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i += DecodeUtf8At(text, i).length) ++count;
  return count;
}

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
  std::vector<std::string> chars;
  for (size_t i = 0; i < text.size();) {
    size_t length = DecodeUtf8At(text, i).length;
    chars.emplace_back(text.substr(i, length));
    i += length;
  }
  return chars;
}

std::string LowerCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    Utf8Char c = DecodeUtf8At(text, i);
    if (c.valid)
      AppendUtf8(FoldCase(c.code), &out);
    else
      out.push_back(text[i]);
    i += c.length;
  }
  return out;
}

std::string ReplaceBrokenBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    Utf8Char c = DecodeUtf8At(text, i);
    if (c.valid)
      out.append(text.substr(i, c.length));
    else
      out.append(kReplacementChar);
    i += c.length;
  }
  return out;
}

std::string VisibleControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    Utf8Char c = DecodeUtf8At(text, i);
    bool control = c.valid && (c.code < 0x20 || (c.code >= 0x7F && c.code <= 0x9F));
    if (!control)
      out.append(text.substr(i, c.length));
    else if (c.code == '\n')
      out.append("\\n");
    else if (c.code == '\r')
      out.append("\\r");
    else if (c.code == '\t')
      out.append("\\t");
    else
      for (size_t k = 0; k < c.length; ++k)
        AppendEscapedByte(static_cast<unsigned char>(text[i + k]), &out);
    i += c.length;
  }
  return out;
}
