// Private-profile (INI) files such as .cfe files and "nd.ini": "[Section]"
// header lines and "key=value" lines, read and written by the rules of the
// Windows profile calls so that files stay exchangeable with them.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// What a missing key (or a missing file) reads as.
inline constexpr std::string_view kNoValue = "<no value>";

/// An INI file held as its lines, each with its own line end, so that a write
/// changes one line and keeps every other line byte for byte.
struct IniDocument {
  std::vector<std::string> lines;  // each ends in "\n" or "\r\n", except perhaps the last
};

/// Splits a file's text into lines; any bytes are accepted.
IniDocument ParseIni(std::string_view text);

/// The file's text: the lines joined.
std::string IniText(const IniDocument& ini);

/// The value of `key` in the first section called `section`, names compared
/// without regard to case, the first matching key line winning: the text after
/// the first "=", blanks and tabs around it removed, then one pair of enclosing
/// double quotes, cut to 255 characters. kNoValue when there is no such key.
std::string IniGet(const IniDocument& ini, std::string_view section, std::string_view key);

/// Every key of the first section called `section`, by lower-case name, with
/// its value as IniGet gives it: one pass for reading many keys.
using IniValues = std::map<std::string, std::string>;
IniValues IniSectionValues(const IniDocument& ini, std::string_view section);

/// The value of `key` (any case) in `values`, kNoValue when it has none.
std::string IniLookup(const IniValues& values, std::string_view key);

/// Keys and values to write into one section, in writing order.
using IniEntries = std::vector<std::pair<std::string, std::string>>;

/// Sets each key to its value, in order: replaces the first matching key
/// line, or adds the line after the section's last non-empty line, or appends
/// the section at the end. Every line written ends in CR LF; values are
/// written unchanged. Costs one pass over the text, however many keys.
void IniSetAll(IniDocument* ini, std::string_view section, const IniEntries& entries);

/// IniSetAll() for one key.
void IniSet(IniDocument* ini, std::string_view section, std::string_view key,
            std::string_view value);

/// Reads the INI file `path` into `text`. A missing file gives "" (every key
/// reads as kNoValue); any other failure of ReadWholeFile is an error.
bool ReadIniText(const std::string& path, std::string* text, std::string* err);
