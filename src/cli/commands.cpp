#include "cli/commands.h"

#include <filesystem>
#include <optional>

#include "run/fonts.h"
#include "run/picture_facts.h"
#include "run/tree.h"
#include "settings/advanced_config.h"
#include "settings/dir_list.h"
#include "settings/express_config.h"
#include "settings/program_state.h"
#include "settings/text.h"

namespace fs = std::filesystem;

namespace {

enum class ConfigKind { kAdvanced, kExpress, kOther };

ConfigKind KindOf(const std::string& path) {
  std::string ext = LowerCase(GetExtension(path));
  if (ext == "cfg") return ConfigKind::kAdvanced;
  if (ext == "cfe") return ConfigKind::kExpress;
  return ConfigKind::kOther;
}

bool MustExist(const std::string& path, std::string* err) {
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  if (fs::is_regular_file(status)) return true;
  *err = path + (fs::exists(status) ? ": not a regular file" : ": no such file");
  return false;
}

// Loads one .cfg or .cfe into the run; false with a message on failure.
bool LoadConfig(const std::string& path, PreparedRun* run, std::string* err) {
  if (!MustExist(path, err)) return false;
  switch (KindOf(path)) {
    case ConfigKind::kAdvanced:
      return LoadAdvancedConfig(path, &run->advanced_settings, &run->input.thumbs, err);
    case ConfigKind::kExpress:
      return LoadExpressConfig(path, &run->express_settings, &run->input.thumbs, err);
    default:
      *err = path + ": not a configuration file (.cfg or .cfe)";
      return false;
  }
}

// The mode of the configuration files when they are all of one kind.
std::optional<bool> ConfigMode(const std::vector<std::string>& configs) {
  std::optional<bool> advanced;
  for (const std::string& path : configs) {
    bool is_advanced = KindOf(path) == ConfigKind::kAdvanced;
    if (advanced && *advanced != is_advanced) return std::nullopt;
    advanced = is_advanced;
  }
  return advanced;
}

bool ApplyThumbFlags(const ProcessArgs& args, ThumbOptions* thumbs, std::string* err) {
  if (args.quality >= 0) {
    if (args.quality < 1 || args.quality > 100) {
      *err = "--quality must be between 1 and 100";
      return false;
    }
    thumbs->Quality = args.quality;
  }
  if (args.resize == "height") thumbs->ResizeMethod = "Height";
  if (args.resize == "width") thumbs->ResizeMethod = "Width";
  if (args.resize == "both") thumbs->ResizeMethod = "Both";
  if (!args.height.empty()) thumbs->Height = args.height;
  if (!args.width.empty()) thumbs->Width = args.width;
  if (args.progressive >= 0) thumbs->Progressive = args.progressive;
  return true;
}

bool ResolveDirectories(const ProcessArgs& args, const ProgramState& state, PreparedRun* run,
                        std::string* err) {
  if (!args.dirs.empty()) {
    run->input.directories = args.dirs;
  } else if (!args.dir_list.empty()) {
    if (!MustExist(args.dir_list, err)) return false;
    if (!LoadDirList(args.dir_list, &run->input.directories, err)) return false;
  } else {
    run->input.directories = state.DirectoryList;
  }
  if (!run->input.directories.empty()) return true;
  *err = "no directories to process: give DIR arguments, --dir-list or --state";
  return false;
}

// The extra picture types of the run: --formats, else the state file's.
// libvips is asked what it reads only when a type is chosen.
bool ResolveFormats(const ProcessArgs& args, const ProgramState& state, PreparedRun* run,
                    std::string* err) {
  if (!args.formats) {
    ExtraFormats readable = state.Formats.empty() ? ExtraFormats() : ReadablePictureTypes();
    run->input.formats = CommonFormats(state.Formats, readable);
    run->unreadable.bits = state.Formats.bits & ~readable.bits;
    return true;
  }
  if (!ParseExtraFormats(*args.formats, &run->input.formats, err)) {
    *err = "--formats: " + *err;
    return false;
  }
  if (run->input.formats.empty()) return true;
  ExtraFormats readable = ReadablePictureTypes();
  ExtraFormats missing{static_cast<uint8_t>(run->input.formats.bits & ~readable.bits)};
  if (missing.empty()) return true;
  *err = "--formats: the installed libvips cannot read " + ExtraFormatsText(missing) +
         " pictures (it reads " + (readable.empty() ? "none" : ExtraFormatsText(readable)) + ")";
  return false;
}

// The galleries of the run: each directory, with --recursive followed by the
// folders of its tree, those of the shard alone; so too the folders of the
// trees that could not be read.
void ListGalleries(const ProcessArgs& args, PreparedRun* run) {
  TreeRules rules = RunTreeRules(run->advanced, run->advanced_settings, run->input.formats);
  // The top of a tree goes by the directory as given, so that the
  // directories of a list spread over the shards too.
  auto in_shard = [&](const std::string& root, const std::string& folder) {
    std::string key = TreeRelative(root, folder);
    if (key.empty()) key = StripTrailingSlashes(root);
    return ShardOf(key, args.shard.count) == args.shard.index;
  };
  run->input.directories.clear();
  for (const std::string& root : run->roots) {
    std::vector<TreeWarning> warnings;
    std::vector<std::string> tree =
        args.recursive ? PictureTree(root, rules, &warnings) : std::vector<std::string>{root};
    for (const std::string& folder : tree)
      if (in_shard(root, folder)) run->input.directories.push_back(folder);
    for (const TreeWarning& warning : warnings)
      if (in_shard(root, warning.folder)) run->tree_warnings.push_back(warning.text);
    if (args.recursive) run->trees.push_back(std::move(tree));
  }
}

bool AffixWouldOverwritePictures(const PreparedRun& run) {
  return run.advanced && run.advanced_settings.ThumbExt.empty() &&
         !IsOn(run.advanced_settings.StoreInSub);
}

template <typename Record>
void PrintFields(const Record& record, const auto& fields, std::FILE* out) {
  for (const auto& field : fields) {
    std::string value = field.text ? record.*field.text : (record.*field.flag ? "True" : "False");
    std::fprintf(out, "%s=%s\n", field.name, value.c_str());
  }
}

void PrintThumbOptions(const ThumbOptions& thumbs, std::FILE* out) {
  std::fprintf(out, "Quality=%d\nResizeMethod=%s\nHeight=%s\nWidth=%s\nProgressive=%d\n",
               thumbs.Quality, thumbs.ResizeMethod.c_str(), thumbs.Height.c_str(),
               thumbs.Width.c_str(), thumbs.Progressive);
}

// One tree index at the top of each directory given, over the galleries of
// its tree as listed before the run (the run adds no folder a tree lists);
// what keeps one from being written is told as a warning.
void WriteTreeIndexes(const PreparedRun& run, RunHost* host) {
  for (size_t i = 0; i < run.trees.size(); ++i) {
    std::string warning;
    if (!MakeTreeIndex(run.roots[i], run.trees[i], run.advanced, run.advanced_settings,
                       run.input.formats, &warning))
      host->Warn(VisibleControls(warning));
  }
}

int Fail(std::FILE* err, const std::string& message) {
  std::fprintf(err, "kesto-cli: %s\n", message.c_str());
  return 2;
}

}  // namespace

bool PrepareRun(const ProcessArgs& args, PreparedRun* run, std::string* err) {
  *run = PreparedRun();
  ProgramState state;
  std::string thumbs_from = "the initial values", advanced_from = thumbs_from;
  if (!args.state.empty()) {
    if (!MustExist(args.state, err) || !ReadProgramState(args.state, &state, err)) return false;
    run->input.thumbs = state.Thumbs;
    thumbs_from = args.state;
  }
  for (const std::string& path : args.configs) {
    if (!LoadConfig(path, run, err)) return false;
    thumbs_from = path;
    if (KindOf(path) == ConfigKind::kAdvanced) advanced_from = path;
  }
  if (!ApplyThumbFlags(args, &run->input.thumbs, err)) return false;
  if (!args.resize.empty() || !args.height.empty() || !args.width.empty())
    thumbs_from = "the command line";
  // A damaged or foreign state file reads as a size of 0: every picture
  // would fail, so the run does not start.
  if (std::string error = ThumbSizeError(run->input.thumbs); !error.empty()) {
    *err = thumbs_from + ": " + error + "; set it with --height or --width";
    return false;
  }
  run->input.workers = args.jobs;
  run->input.sort_by_date = args.sort.empty() ? state.SortByDate : args.sort == "date";
  if (!args.mode.empty())
    run->advanced = args.mode == "advanced";
  else if (auto mode = ConfigMode(args.configs))
    run->advanced = *mode;
  else
    run->advanced = !args.state.empty() && !state.Express;
  if (std::string error = SubfolderError(run->advanced_settings); run->advanced && !error.empty()) {
    *err = advanced_from + ": " + error;
    return false;
  }
  FillFontName(&run->express_settings);
  if (!ResolveFormats(args, state, run, err) || !ResolveDirectories(args, state, run, err))
    return false;
  run->roots = run->input.directories;
  ListGalleries(args, run);
  return true;
}

int ProcessCommand(const ProcessArgs& args, std::FILE* err) {
  PreparedRun run;
  std::string message;
  if (!PrepareRun(args, &run, &message)) return Fail(err, message);
  TerminalHost host(err, stdin, args.quiet, args.answer);
  TerminalHost::CatchInterrupt();
  if (AffixWouldOverwritePictures(run))
    host.Warn(
        "no thumbnails are made: with no thumbnail mark (ThumbExt) and no subfolder "
        "(StoreInSub) they would overwrite the pictures");
  if (!run.unreadable.empty())
    host.Warn(VisibleControls(args.state) + ": the installed libvips cannot read " +
              ExtraFormatsText(run.unreadable) + " pictures; they are left out");
  for (const std::string& warning : run.tree_warnings) host.Warn(VisibleControls(warning));
  RunReport report;
  Process(run.advanced, run.input, run.advanced_settings, run.express_settings, &host, &report);
  if (host.interrupted()) {
    std::fputs("kesto-cli: stopped; thumbnails already made are kept\n", err);
    return 130;
  }
  if (args.index) WriteTreeIndexes(run, &host);
  return host.reported() ? 1 : 0;
}

int IndexCommand(const ProcessArgs& args, std::FILE* err) {
  ProcessArgs trees = args;
  trees.recursive = true;
  PreparedRun run;
  std::string message;
  if (!PrepareRun(trees, &run, &message)) return Fail(err, message);
  TerminalHost host(err, stdin, true, DeleteAnswer::kNo);
  for (const std::string& warning : run.tree_warnings) host.Warn(VisibleControls(warning));
  WriteTreeIndexes(run, &host);
  return host.reported() ? 1 : 0;
}

int ConfigShowCommand(const std::string& path, std::FILE* out, std::FILE* err) {
  PreparedRun run;
  std::string message;
  if (!LoadConfig(path, &run, &message)) return Fail(err, message);
  PrintThumbOptions(run.input.thumbs, out);
  if (KindOf(path) == ConfigKind::kAdvanced) {
    PrintFields(run.advanced_settings, kAdvancedFields, out);
    std::fprintf(out, "DateFormat=%s\n", run.advanced_settings.DateFormat.c_str());
  } else {
    PrintFields(run.express_settings, kExpressFields, out);
    for (const OptInKey& key : kExpressOptIns)
      std::fprintf(out, "%s=%s\n", key.name, (run.express_settings.*key.text).c_str());
  }
  return 0;
}

int ConfigInitCommand(const std::string& path, std::FILE* err) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(path, ec)))
    return Fail(err, path + ": already exists; remove it first");
  std::string message;
  bool ok = false;
  switch (KindOf(path)) {
    case ConfigKind::kAdvanced:
      ok = SaveAdvancedConfig(path, AdvancedSettings(), ThumbOptions(), &message);
      break;
    case ConfigKind::kExpress:
      ok = SaveExpressConfig(path, ExpressSettings(), ThumbOptions(), &message);
      break;
    default:
      message = path + ": name a .cfg or .cfe file";
  }
  return ok ? 0 : Fail(err, message);
}
