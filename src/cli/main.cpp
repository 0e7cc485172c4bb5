// kesto-cli: makes thumbnails and gallery pages from the command line.
#include <CLI/CLI.hpp>
#include <clocale>
#include <cstdio>

#include "cli/commands.h"

namespace {

// A thumbnail side: whole pixels from 1 to 32767, the most a JPEG holds.
const CLI::Validator kPixels(
    [](std::string& text) -> std::string {
      bool digits = !text.empty() && text.size() <= 5 &&
                    text.find_first_not_of("0123456789") == std::string::npos;
      if (digits && std::stoi(text) >= 1 && std::stoi(text) <= 32767) return "";
      return "must be a whole number of pixels from 1 to 32767, not " + text;
    },
    "PIXELS");

void AddProcess(CLI::App& app, ProcessArgs& args, bool& yes, bool& no, bool& prog, bool& noprog) {
  CLI::App* process = app.add_subcommand("process", "Make thumbnails and pages for directories");
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
  auto* p = process->add_flag("--progressive", prog, "Write progressive JPEG thumbnails");
  process->add_flag("--no-progressive", noprog, "Write baseline JPEG thumbnails")->excludes(p);
  process->add_option("--jobs", args.jobs, "Thumbnail threads (default: one per core)")
      ->check(CLI::Range(1, 256));
  auto* y = process->add_flag("--yes", yes, "Delete orphan thumbnails without asking");
  process->add_flag("--no", no, "Keep orphan thumbnails without asking")->excludes(y);
  process->add_flag("--quiet", args.quiet, "No progress output");
  process->add_option("DIR", args.dirs, "Picture directories (default: the list files)");
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C.UTF-8");
  CLI::App app{"KESTO: turns folders of pictures into browsable HTML galleries", "kesto-cli"};
  app.set_version_flag("--version", std::string("kesto-cli ") + KESTO_VERSION);
  app.require_subcommand(1);

  ProcessArgs args;
  bool yes = false, no = false, prog = false, noprog = false;
  AddProcess(app, args, yes, no, prog, noprog);

  std::string show_path, init_path;
  CLI::App* config = app.add_subcommand("config", "Show or create configuration files");
  config->require_subcommand(1);
  config->add_subcommand("show", "Print every field of a .cfg or .cfe file")
      ->add_option("FILE", show_path)
      ->required();
  config->add_subcommand("init", "Write a .cfg or .cfe holding the initial values")
      ->add_option("FILE", init_path)
      ->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  if (app.got_subcommand("process")) {
    args.answer = yes ? DeleteAnswer::kYes : no ? DeleteAnswer::kNo : DeleteAnswer::kAsk;
    args.progressive = prog ? 1 : noprog ? 0 : -1;
    return ProcessCommand(args, stderr);
  }
  if (config->got_subcommand("show")) return ConfigShowCommand(show_path, stdout, stderr);
  return ConfigInitCommand(init_path, stderr);
}
