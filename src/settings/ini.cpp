#include "settings/ini.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "settings/file_io.h"
#include "settings/text.h"

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr int64_t kMaxValueChars = 255;

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// The line without its line end, LF or CR LF.
std::string_view Content(std::string_view line) {
  if (line.empty() || line.back() != '\n') return line;
  line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool SameNoCase(std::string_view a, std::string_view b) { return LowerCase(a) == LowerCase(b); }

// True for a "[name]" line; `name` gets the text between the brackets, trimmed.
bool IsSectionHeader(std::string_view line, std::string_view* name = nullptr) {
  std::string_view content = TrimBlanks(Content(line));
  if (content.empty() || content.front() != '[') return false;
  size_t close = content.find(']');
  if (close == std::string_view::npos) return false;
  if (name) *name = TrimBlanks(content.substr(1, close - 1));
  return true;
}

// True for a "key=value" line; `key` gets the trimmed name before the first "=".
bool IsKeyLine(std::string_view line, std::string_view* key) {
  std::string_view content = Content(line);
  size_t equals = content.find('=');
  if (equals == std::string_view::npos || IsSectionHeader(line)) return false;
  *key = TrimBlanks(content.substr(0, equals));
  return true;
}

std::string ValueOf(std::string_view line) {
  std::string_view content = Content(line);
  std::string_view value = TrimBlanks(content.substr(content.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return CharLeft(value, kMaxValueChars);
}

struct LineRange {
  size_t begin = kNone;  // the header line
  size_t end = kNone;    // the next header line, or the line count
};

LineRange FindSection(const IniDocument& ini, std::string_view section) {
  LineRange range;
  std::string_view name;
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    std::string_view line = ini.lines[i];
    if (i == 0 && line.starts_with(kUtf8Bom))
      line.remove_prefix(kUtf8Bom.size());  // an editor's mark
    if (!IsSectionHeader(line, &name)) continue;
    if (range.begin != kNone) return range.end = i, range;
    if (SameNoCase(name, section)) range.begin = i;
  }
  if (range.begin != kNone) range.end = ini.lines.size();
  return range;
}

size_t FindKey(const IniDocument& ini, LineRange range, std::string_view key) {
  std::string_view name;
  for (size_t i = range.begin + 1; i < range.end; ++i)
    if (IsKeyLine(ini.lines[i], &name) && SameNoCase(name, key)) return i;
  return kNone;
}

// The line of each key of the section, by lower-case name; the first line wins.
std::map<std::string, size_t> KeyLines(const IniDocument& ini, LineRange range) {
  std::map<std::string, size_t> lines;
  std::string_view name;
  for (size_t i = range.begin + 1; i < range.end; ++i)
    if (IsKeyLine(ini.lines[i], &name)) lines.emplace(LowerCase(name), i);
  return lines;
}

void EndLine(std::string* line) {
  if (line->empty() || line->back() != '\n') *line += "\r\n";
}

// Index after the section's last line that is not blank.
size_t EndOfContent(const IniDocument& ini, LineRange range) {
  size_t last = range.begin;
  for (size_t i = range.begin + 1; i < range.end; ++i)
    if (!TrimBlanks(Content(ini.lines[i])).empty()) last = i;
  return last + 1;
}

}  // namespace

IniDocument ParseIni(std::string_view text) {
  IniDocument ini;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    end = end == std::string_view::npos ? text.size() : end + 1;
    ini.lines.emplace_back(text.substr(begin, end - begin));
    begin = end;
  }
  return ini;
}

std::string IniText(const IniDocument& ini) {
  size_t size = 0;
  for (const std::string& line : ini.lines) size += line.size();
  std::string text;
  text.reserve(size);
  for (const std::string& line : ini.lines) text += line;
  return text;
}

std::string IniGet(const IniDocument& ini, std::string_view section, std::string_view key) {
  LineRange range = FindSection(ini, section);
  if (range.begin == kNone) return std::string(kNoValue);
  size_t line = FindKey(ini, range, key);
  return line == kNone ? std::string(kNoValue) : ValueOf(ini.lines[line]);
}

IniValues IniSectionValues(const IniDocument& ini, std::string_view section) {
  IniValues values;
  LineRange range = FindSection(ini, section);
  if (range.begin == kNone) return values;
  for (const auto& [name, line] : KeyLines(ini, range))
    values.emplace(name, ValueOf(ini.lines[line]));
  return values;
}

std::string IniLookup(const IniValues& values, std::string_view key) {
  auto found = values.find(LowerCase(key));
  return found == values.end() ? std::string(kNoValue) : found->second;
}

void IniSetAll(IniDocument* ini, std::string_view section, const IniEntries& entries) {
  LineRange range = FindSection(*ini, section);
  if (range.begin == kNone) {
    if (!ini->lines.empty()) EndLine(&ini->lines.back());
    ini->lines.push_back("[" + std::string(section) + "]\r\n");
    range = {ini->lines.size() - 1, ini->lines.size()};
  }
  std::map<std::string, size_t> found = KeyLines(*ini, range);
  std::map<std::string, size_t> added_at;
  std::vector<std::string> added;
  for (const auto& [key, value] : entries) {
    std::string name = LowerCase(key), line = key + "=" + value + "\r\n";
    if (auto it = found.find(name); it != found.end()) {
      ini->lines[it->second] = std::move(line);
    } else if (auto [at, fresh] = added_at.emplace(name, added.size()); fresh) {
      added.push_back(std::move(line));
    } else {
      added[at->second] = std::move(line);
    }
  }
  if (added.empty()) return;
  size_t at = EndOfContent(*ini, range);
  EndLine(&ini->lines[at - 1]);
  ini->lines.insert(ini->lines.begin() + at, std::make_move_iterator(added.begin()),
                    std::make_move_iterator(added.end()));
}

void IniSet(IniDocument* ini, std::string_view section, std::string_view key,
            std::string_view value) {
  IniSetAll(ini, section, {{std::string(key), std::string(value)}});
}

bool ReadIniText(const std::string& path, std::string* text, std::string* err) {
  if (ReadWholeFile(path, text, err)) return true;
  struct stat info;
  if (stat(path.c_str(), &info) == 0 || errno != ENOENT) return false;
  if (err) err->clear();
  return true;
}
