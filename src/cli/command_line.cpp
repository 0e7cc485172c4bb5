#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <cstdio>

#include "run/picture_facts.h"

namespace {

// A thumbnail side: whole pixels from 1 to the largest side.
const CLI::Validator kPixels(
    [](std::string& text) -> std::string {
      bool digits = !text.empty() && text.size() <= 5 &&
                    text.find_first_not_of("0123456789") == std::string::npos;
      if (digits && ValidThumbSide(std::stoi(text))) return "";
      return "must be a whole number of pixels from 1 to " + std::to_string(kMaxThumbSide) +
             ", not " + text;
    },
    "PIXELS");

// "K/N" with 1 <= K <= N read into `shard`; otherwise what is wrong.
std::string ReadShard(const std::string& text, Shard* shard) {
  size_t slash = text.find('/');
  auto number = [&](std::string_view digits, uint32_t* value) {
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
      return false;
    *value = static_cast<uint32_t>(std::stoul(std::string(digits)));
    return true;
  };
  std::string_view all = text;
  if (slash == std::string::npos || !number(all.substr(0, slash), &shard->index) ||
      !number(all.substr(slash + 1), &shard->count))
    return "must be K/N, shard K of N, not " + text;
  if (shard->count == 0) return "N, the number of shards, must be at least 1, not 0";
  if (shard->index < 1 || shard->index > shard->count)
    return "K must be from 1 to " + std::to_string(shard->count) + ", not " +
           std::to_string(shard->index);
  return "";
}

const CLI::Validator kShard(
    [](std::string& text) {
      Shard shard;
      return ReadShard(text, &shard);
    },
    "");

// Flags that answer one question each, read into ProcessArgs after parsing.
struct Flags {
  bool yes = false, no = false, progressive = false, baseline = false;
  std::string formats;
  std::vector<CLI::Option*> formats_options;  // of process and of index
};

// The options process and index share: the settings and the picture types
// (by default `formats_from`).
void AddSettings(CLI::App* command, ProcessArgs& args, Flags& flags,
                 const std::string& formats_from) {
  command->add_option("--config", args.configs, "A .cfg (Advanced) or .cfe (Express) file")
      ->type_name("FILE")
      ->allow_extra_args(false);
  command->add_option("--mode", args.mode, "Express or Advanced pages")
      ->check(CLI::IsMember({"express", "advanced"}));
  flags.formats_options.push_back(
      command
          ->add_option("--formats", flags.formats,
                       "Extra picture types, comma-separated: png, webp, tiff, heic, avif "
                       "(\"\" for none; default: " +
                           formats_from + ")")
          ->type_name("LIST"));
}

void AddProcess(CLI::App& app, CommandLine& line, Flags& flags) {
  ProcessArgs& args = line.process;
  CLI::App* process = app.add_subcommand("process", "Make thumbnails and pages for directories");
  process->callback([&line] { line.command = CommandLine::Command::kProcess; });
  AddSettings(process, args, flags, "the state file's");
  process->add_option("--state", args.state, "A program state file (nd.ini)")->type_name("FILE");
  process->add_option("--dir-list", args.dir_list, "A directory list (.dir)")->type_name("FILE");
  process->add_option("--quality", args.quality, "JPEG quality of thumbnails")
      ->check(CLI::Range(1, 100));
  process->add_option("--resize", args.resize, "Which edge the thumbnail size follows")
      ->check(CLI::IsMember({"height", "width", "both"}));
  process->add_option("--height", args.height, "Thumbnail height in pixels")->check(kPixels);
  process->add_option("--width", args.width, "Thumbnail width in pixels")->check(kPixels);
  auto* p =
      process->add_flag("--progressive", flags.progressive, "Write progressive JPEG thumbnails");
  process->add_flag("--no-progressive", flags.baseline, "Write baseline JPEG thumbnails")
      ->excludes(p);
  process
      ->add_option("--sort", args.sort,
                   "Order of the pages: name, or date taken with undated pictures last "
                   "(default: the state file's, else name)")
      ->check(CLI::IsMember({"name", "date"}));
  process->add_option("--jobs", args.jobs, "Thumbnail threads (default: one per core)")
      ->check(CLI::Range(1, 256));
  auto* y = process->add_flag("--yes", flags.yes, "Delete orphan thumbnails without asking");
  process->add_flag("--no", flags.no, "Keep orphan thumbnails without asking")->excludes(y);
  process->add_flag("--quiet", args.quiet, "No progress output");
  auto* recursive = process->add_flag(
      "--recursive", args.recursive,
      "Also every folder below each directory that holds pictures, each its own gallery");
  auto* index = process
                    ->add_flag("--index", args.index,
                               "Write index.html at the top of each tree, leading to each gallery")
                    ->needs(recursive);
  process
      ->add_option_function<std::string>(
          "--shard", [&args](const std::string& text) { ReadShard(text, &args.shard); },
          "Make only the galleries of shard K of N, chosen by their paths in the trees")
      ->type_name("K/N")
      ->check(kShard)
      ->excludes(index);
  process->add_option("DIR", args.dirs, "Picture directories (default: the list files)");
}

void AddIndex(CLI::App& app, CommandLine& line, Flags& flags) {
  CLI::App* index = app.add_subcommand(
      "index", "Write index.html at the top of each tree from the galleries already made");
  index->callback([&line] { line.command = CommandLine::Command::kIndex; });
  AddSettings(index, line.process, flags, "none");
  index->add_option("DIR", line.process.dirs, "Tops of the picture trees")->required();
}

void AddConfig(CLI::App& app, CommandLine& line) {
  CLI::App* config = app.add_subcommand("config", "Show or create configuration files");
  config->require_subcommand(1);
  config->add_subcommand("show", "Print every field of a .cfg or .cfe file")
      ->callback([&line] { line.command = CommandLine::Command::kConfigShow; })
      ->add_option("FILE", line.path)
      ->required();
  config->add_subcommand("init", "Write a .cfg or .cfe holding the initial values")
      ->callback([&line] { line.command = CommandLine::Command::kConfigInit; })
      ->add_option("FILE", line.path)
      ->required();
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err) {
  CommandLine line;
  Flags flags;
  CLI::App app{"KESTO: turns folders of pictures into browsable HTML galleries", "kesto-cli"};
  app.set_version_flag("--version", std::string("kesto-cli ") + KESTO_VERSION);
  app.require_subcommand(1);
  AddProcess(app, line, flags);
  AddIndex(app, line, flags);
  AddConfig(app, line);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    line = CommandLine();
    line.status = app.exit(e, out, err) == 0 ? 0 : 2;
    return line;
  }
  ProcessArgs& args = line.process;
  args.answer = flags.yes ? DeleteAnswer::kYes : flags.no ? DeleteAnswer::kNo : DeleteAnswer::kAsk;
  args.progressive = flags.progressive ? 1 : flags.baseline ? 0 : -1;
  for (const CLI::Option* formats : flags.formats_options)
    if (formats->count() > 0) args.formats = flags.formats;
  return line;
}

int RunCommandLine(const CommandLine& line) {
  switch (line.command) {
    case CommandLine::Command::kProcess:
      return ProcessCommand(line.process, stderr);
    case CommandLine::Command::kIndex:
      return IndexCommand(line.process, stderr);
    case CommandLine::Command::kConfigShow:
      return ConfigShowCommand(line.path, stdout, stderr);
    case CommandLine::Command::kConfigInit:
      return ConfigInitCommand(line.path, stderr);
    default:
      return line.status;
  }
}
