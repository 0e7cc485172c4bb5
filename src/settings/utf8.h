// UTF-8 text as the program counts it. File names are bytes, and not every
// name is valid UTF-8 (a Latin-1 "caf\xE9.jpg" copied from an old disk): each
// byte of a broken sequence counts as one character of its own, so that
// lengths, cuts and comparisons never swallow the letters after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// One character of a text: a whole valid UTF-8 sequence, or one byte of a
/// broken one (`valid` false; `code` is then the byte's value).
struct Utf8Char {
  size_t length = 1;  // bytes, 1 to 4
  bool valid = true;
  char32_t code = 0;
};

/// The character that starts at byte `i` (< text.size()). Overlong forms,
/// surrogates and values above U+10FFFF are broken sequences.
Utf8Char DecodeUtf8At(std::string_view text, size_t i);

/// Appends the UTF-8 form of `code` (at most U+10FFFF).
void AppendUtf8(char32_t code, std::string* out);

/// True when every byte of `text` belongs to a valid sequence.
bool IsValidUtf8(std::string_view text);

/// Number of characters.
size_t CharCount(std::string_view text);

/// The first `n` characters (all when the text is shorter; none when n <= 0).
std::string CharLeft(std::string_view text, int64_t n);

/// The last `n` characters (all when the text is shorter; none when n <= 0).
std::string CharRight(std::string_view text, int64_t n);

/// The text split into its characters.
std::vector<std::string> SplitChars(std::string_view text);

/// Unicode simple lower case, the same in every locale; a byte of a broken
/// sequence is left as it is.
std::string LowerCase(std::string_view text);

/// The text with every byte of a broken sequence shown as U+FFFD, for text
/// a reader sees.
std::string ReplaceBrokenBytes(std::string_view text);

/// The text with its control characters written visibly: "\n", "\r", "\t"
/// and "\xNN" for the others (DEL and U+0080..U+009F included), so that a
/// file name cannot forge lines of a question or a report.
std::string VisibleControls(std::string_view text);
