// Test tables written as text: a row a line, its fields split at "|".
#pragma once

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::vector<std::string>> Rows(const std::string& table) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(table);
  for (std::string line; std::getline(lines, line); rows.back().push_back(line))
    for (rows.emplace_back(); line.find('|') != std::string::npos;
         line.erase(0, line.find('|') + 1))
      rows.back().push_back(line.substr(0, line.find('|')));
  return rows;
}
