// Test helpers for the page writers: temporary folders and golden page files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "settings/text.h"
#include "temp_folder.h"

namespace page_files {

namespace fs = std::filesystem;

/// Every file of `dir` by name with its content.
inline std::map<std::string, std::string> FilesIn(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir))
    files[entry.path().filename().string()] = ReadFile(entry.path());
  return files;
}

/// The pages a golden file expects for `case_name`. A line "##### case/file"
/// starts a page; the lines after it are the page's lines, each ended by
/// CR LF in the real file, which starts with the UTF-8 byte-order mark like
/// every page. Other lines that start with "#" are notes.
inline std::map<std::string, std::string> GoldenPages(const std::string& golden_file,
                                                      const std::string& case_name) {
  std::ifstream in(golden_file, std::ios::binary);
  std::map<std::string, std::string> pages;
  std::string line, *page = nullptr;
  const std::string heading = "##### " + case_name + "/";
  while (std::getline(in, line)) {
    if (line.rfind("##### ", 0) == 0)
      page =
          line.rfind(heading, 0) == 0 ? &(pages[line.substr(heading.size())] = kUtf8Bom) : nullptr;
    else if (page && line.rfind('#', 0) != 0)
      *page += line + "\r\n";
  }
  return pages;
}

}  // namespace page_files
