#include "settings/dir_list.h"

#include "settings/file_io.h"
#include "settings/text.h"

std::string DirListText(const std::vector<std::string>& dirs) {
  std::string text;
  for (const std::string& dir : dirs) text += dir + "\r\n";
  return text;
}

std::vector<std::string> ParseDirList(std::string_view text) {
  std::vector<std::string> dirs;
  while (!text.empty()) {
    size_t end = text.find_first_of("\r\n,");
    std::string field = Trim(text.substr(0, end));
    // An editor's byte-order mark; taken off every entry, so that an entry
    // saved first never reads back shorter.
    while (field.starts_with(kUtf8Bom)) field = Trim(field.substr(kUtf8Bom.size()));
    if (!field.empty()) dirs.push_back(std::move(field));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return dirs;
}

bool SaveDirList(const std::string& path, const std::vector<std::string>& dirs, std::string* err) {
  return WriteSettingsFile(path, DirListText(dirs), err);
}

bool LoadDirList(const std::string& path, std::vector<std::string>* dirs, std::string* err) {
  std::string text;
  if (!ReadWholeFile(path, &text, err)) return false;
  *dirs = ParseDirList(text);
  return true;
}
