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

// Flags that answer one question each, read into ProcessArgs after parsing.
struct Flags {
  bool yes = false, no = false, progressive = false, baseline = false;
  std::string formats;
  CLI::Option* formats_option = nullptr;
};

void AddProcess(CLI::App& app, CommandLine& line, Flags& flags) {
  ProcessArgs& args = line.process;
  CLI::App* process = app.add_subcommand("process", "Make thumbnails and pages for directories");
  process->callback([&line] { line.command = CommandLine::Command::kProcess; });
  process->add_option("--config", args.configs, "A .cfg (Advanced) or .cfe (Express) file")
      ->type_name("FILE")
      ->allow_extra_args(false);
  process->add_option("--state", args.state, "A program state file (nd.ini)")->type_name("FILE");
  process->add_option("--dir-list", args.dir_list, "A directory list (.dir)")->type_name("FILE");
  process->add_option("--mode", args.mode, "Express or Advanced pages")
      ->check(CLI::IsMember({"express", "advanced"}));
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
  process->add_option("--jobs", args.jobs, "Thumbnail threads (default: one per core)")
      ->check(CLI::Range(1, 256));
  auto* y = process->add_flag("--yes", flags.yes, "Delete orphan thumbnails without asking");
  process->add_flag("--no", flags.no, "Keep orphan thumbnails without asking")->excludes(y);
  process->add_flag("--quiet", args.quiet, "No progress output");
  flags.formats_option =
      process
          ->add_option("--formats", flags.formats,
                       "Extra picture types, comma-separated: png, webp, tiff, heic, avif "
                       "(\"\" for none; default: the state file's)")
          ->type_name("LIST");
  auto* recursive = process->add_flag(
      "--recursive", args.recursive,
      "Also every folder below each directory that holds pictures, each its own gallery");
  process
      ->add_flag("--index", args.index,
                 "Write index.html at the top of each tree, leading to each gallery")
      ->needs(recursive);
  process->add_option("DIR", args.dirs, "Picture directories (default: the list files)");
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
  if (flags.formats_option->count() > 0) args.formats = flags.formats;
  return line;
}

int RunCommandLine(const CommandLine& line) {
  switch (line.command) {
    case CommandLine::Command::kProcess:
      return ProcessCommand(line.process, stderr);
    case CommandLine::Command::kConfigShow:
      return ConfigShowCommand(line.path, stdout, stderr);
    case CommandLine::Command::kConfigInit:
      return ConfigInitCommand(line.path, stderr);
    default:
      return line.status;
  }
}
