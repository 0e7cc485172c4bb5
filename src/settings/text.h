// Text helpers shared by the settings files and the page writers.
//
// Every text is UTF-8 (utf8.h). Lengths, positions and cuts count characters,
// never bytes, so a cut never splits a letter. "Blank" means the space
// character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/utf8.h"

/// The leading-number reading of a text: leading blanks skipped, an optional
/// sign, digits, an optional decimal part and exponent; anything else ends the
/// number. A text that does not start with a number reads as 0.
double Val(std::string_view text);

/// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2).
/// Values beyond the 64-bit range are clamped.
int64_t RoundHalfEven(double value);

/// The byte-order mark some editors put at the start of a UTF-8 text file.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

/// True when `value` fits a 16-bit signed integer, as page numbers and the
/// numbers of the settings dialogs must.
bool FitsInt16(int64_t value);

/// Val() rounded half to even; true when it fits a 16-bit signed integer.
bool ValToInt16(std::string_view text, int16_t* out);

/// ValToInt16() that also asks for `low` <= value <= `high`; `value` is set
/// only on success.
bool ValInRange(std::string_view text, int low, int high, int* value);

/// A flag is on when its numeric value is 1 (" 1" and "1.0" count too).
bool IsOn(std::string_view flag);

/// True when the text, blanks around it aside, is one decimal number: " 1",
/// "-2.5", "1e3"; not "", "1x" or "True".
bool IsNumber(std::string_view text);

/// The plain number-to-text: "7", "-7".
std::string NumText(int64_t value);

/// The number-to-text with a sign place: " 7", "-7".
std::string SignedNumText(int64_t value);

/// The decimal form of a number with up to 15 significant digits and no
/// sign place: "12", "12.5", "-3", "1E+15", "1.5E-07".
std::string NumberText(double value);

/// The Boolean reading of a text: "True" or "False" without regard to case,
/// or a decimal number (0 is false, any other number true), blanks around it
/// ignored. Returns false, leaving `value` alone, when the text is neither.
bool ParseBoolean(std::string_view text, bool* value);

/// "True" or "False".
const char* BooleanText(bool value);

/// The text without blanks at either end.
std::string Trim(std::string_view text);

/// The tokenizer of user lists: every character of `separators` is a
/// separator of its own, compared without regard to case; runs of separators
/// count as one and no token is ever empty.
std::vector<std::string> ParseString(std::string_view text, std::string_view separators);

/// The 32-bit colour of a colour text: its numeric value rounded half to
/// even; a negative value down to -2^31 as its two's complement, any other
/// value outside 0 to 2^32 - 1 as 0.
uint32_t ColourValue(std::string_view colour_text);

/// "#RRGGBB" from a colour text holding a 0x00BBGGRR value.
std::string HtmlColour(std::string_view colour_text);

/// The text after the last "." of a file name, or "" when there is no dot or
/// a "/" follows it: "x.tar.gz" -> "gz", "/a.b/c" -> "".
std::string GetExtension(std::string_view name);

/// The file name without its extension and the dot before it.
std::string BaseName(std::string_view name);

/// The text itself when it has at most `max_len` characters; otherwise its
/// first round(max_len/2 - 3) characters, "....", and its last
/// round(max_len/2 - 4) characters.
std::string ShortenText(std::string_view text, int max_len);

/// Every occurrence of `from` replaced by `to` (case-sensitive, left to right).
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

/// Position (in bytes) of `needle` in `text` compared without regard to ASCII
/// case, or npos.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from = 0);

/// Every occurrence of `needle` removed, compared without regard to ASCII case.
std::string RemoveAllNoCase(std::string_view text, std::string_view needle);

/// The four characters & < > " written as HTML entities (& first).
std::string HtmlEscape(std::string_view text);
