// Advanced configuration files (.cfg): the thumbnail options and the Advanced
// settings, one value per line, each value's meaning given by its line number
// alone. A saved file has 94 lines, each ended by CR LF, and a 95th with the
// DateFormat when one is set.
#pragma once

#include <string>
#include <string_view>

#include "settings/records.h"

/// The file's text: Progressive and Quality with a sign place on lines 1 and 5,
/// Width, Height and ResizeMethod on lines 2 to 4, then the fields in the order
/// of kAdvancedFields on lines 6 to 82 and 85 to 92 (switches as "True" or
/// "False"), with FromDir repeated on lines 83, 84, 93 and 94; then the
/// DateFormat on line 95 when it is not empty.
std::string AdvancedConfigText(const AdvancedSettings& settings, const ThumbOptions& thumbs);

/// Reads a .cfg text into the records; never fails. Every line is trimmed of
/// blanks. In a text of six or more lines a line past its end reads as empty;
/// a text of fewer than six lines changes only the thumbnail options of the
/// lines it has. A value the record cannot take leaves the field as it was: a
/// switch that is neither "True"/"False" nor a number, a Progressive other
/// than 0, 1 or 2, a Quality outside 1 to 100. Lines 83, 84, 93, 94 are ignored;
/// DateFormat is line 95, "" when the text has none.
void ParseAdvancedConfig(std::string_view text, AdvancedSettings* settings, ThumbOptions* thumbs);

/// Replaces `path` with AdvancedConfigText() (through a temporary file).
bool SaveAdvancedConfig(const std::string& path, const AdvancedSettings& settings,
                        const ThumbOptions& thumbs, std::string* err);

/// Reads `path` with ParseAdvancedConfig(). Fails, changing nothing, only when
/// the file cannot be read; the caller then refreshes its dialogs.
bool LoadAdvancedConfig(const std::string& path, AdvancedSettings* settings, ThumbOptions* thumbs,
                        std::string* err);
