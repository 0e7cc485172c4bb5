// Directory list files (.dir): one directory path per line, each ended by
// CR LF, in list order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The file's text for the list.
std::string DirListText(const std::vector<std::string>& dirs);

/// The entries of a .dir text: fields split at line ends (CR or LF) and at
/// commas, trimmed of blanks, empty ones skipped. A path holding a comma thus
/// reads back as two entries.
std::vector<std::string> ParseDirList(std::string_view text);

/// Replaces `path` with DirListText() (through a temporary file).
bool SaveDirList(const std::string& path, const std::vector<std::string>& dirs, std::string* err);

/// Reads `path` with ParseDirList(); on failure `dirs` is left alone.
bool LoadDirList(const std::string& path, std::vector<std::string>* dirs, std::string* err);
