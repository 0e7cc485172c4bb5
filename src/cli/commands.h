// The commands of kesto-cli, apart from parsing the command line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/terminal_host.h"
#include "run/run.h"
#include "settings/records.h"

/// One shard of a run split among machines: number `index` of `count`.
struct Shard {
  uint32_t index = 1;
  uint32_t count = 1;
};

/// The options of `kesto-cli process` (and of `index`, which takes the
/// settings, --formats and the directories) as given; empty or negative: not
/// given.
struct ProcessArgs {
  std::vector<std::string> configs;
  std::string state;
  std::string dir_list;
  std::string mode;  // "express", "advanced" or ""
  int quality = -1;
  std::string resize;  // "height", "width", "both" or ""
  std::string height;
  std::string width;
  int progressive = -1;  // 0, 1, or -1 when not given
  int jobs = 0;
  DeleteAnswer answer = DeleteAnswer::kAsk;
  bool quiet = false;
  std::vector<std::string> dirs;
  std::optional<std::string> formats;  // extra picture types: "png,webp"; "" for none
  bool recursive = false;              // every folder below each directory too
  bool index = false;                  // a tree index at the top of each directory
  Shard shard;                         // the galleries of this shard alone
  std::string sort;                    // "name", "date" or "" for the state file's order
};

/// Everything a run needs, resolved from the files and options.
struct PreparedRun {
  bool advanced = false;
  RunInput input;
  AdvancedSettings advanced_settings;
  ExpressSettings express_settings;
  std::vector<std::string> roots;  // the directories before --recursive added their trees
  std::vector<std::vector<std::string>> trees;  // with --recursive: each root's folders
  std::vector<std::string> tree_warnings;       // folders of the shard that could not be read
  ExtraFormats unreadable;  // types the state file chose that cannot be read here
};

/// Loads the state, configuration and list files and applies the options in
/// that order; with `recursive` each directory is followed by the folders of
/// its tree (PictureTree() by the rules of the mode, what it could not read
/// in `tree_warnings`). Of these galleries the run keeps those of `shard`, by
/// ShardOf() their path relative to their directory, or of the directory as
/// given (trailing "/" removed) for the directory itself. The extra picture types
/// are those of --formats, else of the state file; a type the installed
/// libvips cannot read is refused from --formats and left out, noted in
/// `unreadable`, from the state file. False with a message naming the file
/// or option on a damaged input.
bool PrepareRun(const ProcessArgs& args, PreparedRun* run, std::string* err);

/// Exit status: 0 nothing to report, 1 a report was shown or a warning told,
/// 2 bad usage or settings, 130 stopped by Ctrl-C.
int ProcessCommand(const ProcessArgs& args, std::FILE* err);

/// Writes the tree index of each directory from the galleries on disk, as
/// `process --recursive --index` does after its run; the exit status as
/// ProcessCommand() gives it.
int IndexCommand(const ProcessArgs& args, std::FILE* err);

/// Every field of a .cfg or .cfe file as Name=value, thumbnail options first.
int ConfigShowCommand(const std::string& path, std::FILE* out, std::FILE* err);

/// Writes a .cfg or .cfe holding the initial values; never replaces a file.
int ConfigInitCommand(const std::string& path, std::FILE* err);
