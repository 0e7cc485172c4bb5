// kesto-cli: makes thumbnails and gallery pages from the command line.
#include <clocale>
#include <iostream>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C.UTF-8");
  return RunCommandLine(ParseCommandLine(argc, argv, std::cout, std::cerr));
}
