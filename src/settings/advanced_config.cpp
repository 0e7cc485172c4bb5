#include "settings/advanced_config.h"

#include <algorithm>
#include <vector>

#include "settings/file_io.h"
#include "settings/text.h"

namespace {

constexpr size_t kFileLines = 94;
constexpr size_t kReadLines = 92;   // lines 93 and 94 are never read
constexpr size_t kFirstGap = 83;    // lines 83 and 84 repeat FromDir
constexpr size_t kMinFullFile = 6;  // a shorter file sets only what it holds
constexpr size_t kDateFormatLine = 95;

// Line number (1-based) of the field at `index` of kAdvancedFields.
size_t LineOfField(size_t index) { return index + 6 < kFirstGap ? index + 6 : index + 8; }

std::string FieldText(const AdvancedSettings& settings, const RecordField<AdvancedSettings>& f) {
  return f.text ? settings.*f.text : BooleanText(settings.*f.flag);
}

// The first `max_lines` lines of the text, split at LF with a CR before it dropped.
std::vector<std::string_view> FirstLines(std::string_view text, size_t max_lines) {
  std::vector<std::string_view> lines;
  while (!text.empty() && lines.size() < max_lines) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

void ParseThumbOptions(const std::vector<std::string_view>& lines, ThumbOptions* thumbs) {
  size_t n = lines.size();
  if (n >= 1) ValInRange(Trim(lines[0]), 0, 2, &thumbs->Progressive);
  if (n >= 2) thumbs->Width = Trim(lines[1]);
  if (n >= 3) thumbs->Height = Trim(lines[2]);
  if (n >= 4) thumbs->ResizeMethod = Trim(lines[3]);
  if (n >= 5) ValInRange(Trim(lines[4]), 1, 100, &thumbs->Quality);
}

void ParseField(std::string_view line, const RecordField<AdvancedSettings>& f,
                AdvancedSettings* settings) {
  if (f.text)
    settings->*f.text = Trim(line);
  else
    ParseBoolean(Trim(line), &(settings->*f.flag));
}

}  // namespace

std::string AdvancedConfigText(const AdvancedSettings& settings, const ThumbOptions& thumbs) {
  std::vector<std::string> lines = {SignedNumText(thumbs.Progressive), thumbs.Width, thumbs.Height,
                                    thumbs.ResizeMethod, SignedNumText(thumbs.Quality)};
  lines.resize(kFileLines, settings.FromDir);
  for (size_t i = 0; i < kAdvancedFields.size(); ++i)
    lines[LineOfField(i) - 1] = FieldText(settings, kAdvancedFields[i]);
  std::string text;
  if (!settings.DateFormat.empty()) lines.push_back(settings.DateFormat);
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

void ParseAdvancedConfig(std::string_view text, AdvancedSettings* settings, ThumbOptions* thumbs) {
  std::vector<std::string_view> lines = FirstLines(text, kDateFormatLine);
  ParseThumbOptions(lines, thumbs);
  if (lines.size() < kMinFullFile) return;
  settings->DateFormat = lines.size() == kDateFormatLine ? Trim(lines.back()) : "";
  lines.resize(std::min(lines.size(), kReadLines));
  for (size_t i = 0; i < kAdvancedFields.size(); ++i) {
    size_t line = LineOfField(i);
    ParseField(line <= lines.size() ? lines[line - 1] : "", kAdvancedFields[i], settings);
  }
}

bool SaveAdvancedConfig(const std::string& path, const AdvancedSettings& settings,
                        const ThumbOptions& thumbs, std::string* err) {
  return WriteSettingsFile(path, AdvancedConfigText(settings, thumbs), err);
}

bool LoadAdvancedConfig(const std::string& path, AdvancedSettings* settings, ThumbOptions* thumbs,
                        std::string* err) {
  std::string text;
  if (!ReadWholeFile(path, &text, err)) return false;
  ParseAdvancedConfig(text, settings, thumbs);
  return true;
}
