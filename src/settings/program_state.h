// The program state file "nd.ini" (mode, LoadLast, thumbnail options and the
// directory list) and the folder that holds it and the autosave files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/picture_formats.h"
#include "settings/records.h"

/// What "nd.ini" holds.
struct ProgramState {
  bool Express = false;   // "General"/Mode: "exp" (trimmed) is Express, anything else Advanced
  bool LoadLast = false;  // "General"/LoadLast: numeric value 1 is on
  ThumbOptions Thumbs;    // section "JPEG"
  std::vector<std::string> DirectoryList;  // "DIRs": keys "1".."n", then "#" = n
  ExtraFormats Formats;     // "General"/ExtraFormats: "png,webp", unknown names left out
  bool SortByDate = false;  // "General"/SortBy: "date" (trimmed, any case); else "name"
};

/// A "#" beyond this many directory entries is read as this many.
inline constexpr int kMaxDirectoryEntries = 10000;

/// Reads an "nd.ini" text into `state`; never fails. Missing numeric keys
/// count as 0: Advanced mode, LoadLast off, Height and Width "0", an empty
/// list. Quality is brought into 1 to 100, as the quality scroll bar takes
/// it (a missing one, 0, becomes 1). A Progressive other than 0, 1 or 2
/// leaves the value as it was. Entry i of the list is the value of key i,
/// "<no value>" when that key is missing.
void ParseProgramState(std::string_view text, ProgramState* state);

/// `old_text` with the state's keys set; keys of a longer earlier directory
/// list stay in the text (the count "#" ends the list). ExtraFormats is
/// written only when a type is chosen or the text has the key already, so a
/// state that never chose one stays as it always was; so is SortBy, when it
/// is "date".
std::string UpdateProgramState(std::string_view old_text, const ProgramState& state);

/// File versions of the two above; a missing file reads as an empty text.
bool ReadProgramState(const std::string& path, ProgramState* state, std::string* err);
bool WriteProgramState(const std::string& path, const ProgramState& state, std::string* err);

/// Where the program looks for its state.
struct StateFolderInputs {
  std::string program_folder;   // the executable's folder
  std::string xdg_config_home;  // $XDG_CONFIG_HOME, "" when unset
  std::string home;             // $HOME, "" when unset
  std::string data_folder;      // holds the shipped "nd.ini" and "default.tpl", "" when none
  std::string named_folder;     // a folder the user named for the state, "" when none
  bool installed = false;       // an installed program, not one in its build tree
};

/// Finds the folder for "nd.ini" and the autosave files: the named folder
/// when there is one (made when missing), else (for a program that is not
/// installed) the program folder when it is writable, else
/// $XDG_CONFIG_HOME/kesto (when that variable holds an absolute path) or
/// ~/.config/kesto, which is made. An installed program never writes into
/// its own folder, whoever runs it. The shipped "nd.ini" and
/// "default.tpl" (the template the Advanced settings propose) are copied in
/// where the folder has none. `folder` gets the path without a trailing "/".
/// Fails when no folder can be made or a copy fails.
bool PrepareStateFolder(const StateFolderInputs& inputs, std::string* folder, std::string* err);
