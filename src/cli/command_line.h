// The command line of kesto-cli: its subcommands and options.
#pragma once

#include <ostream>
#include <string>

#include "cli/commands.h"

/// What a command line asks for.
struct CommandLine {
  enum class Command { kProcess, kIndex, kConfigShow, kConfigInit, kNone };
  Command command = Command::kNone;
  ProcessArgs process;  // of process and index
  std::string path;     // the FILE of config show and config init
  int status = 0;       // with kNone: 0 after --help or --version, 2 after a usage error
};

/// Reads `argv`. Help and the version go to `out`, usage errors to `err`
/// (the command is then kNone).
CommandLine ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err);

/// Runs what `line` asks for, writing to the standard streams; gives the exit
/// status.
int RunCommandLine(const CommandLine& line);
