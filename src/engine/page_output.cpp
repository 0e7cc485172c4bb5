#include "engine/page_output.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

UserFile ReadUserFile(const std::string& path) {
  UserFile file;
  std::error_code ec;
  file.found = std::filesystem::is_regular_file(path, ec);
  if (!file.found) return file;
  std::ifstream in(path, std::ios::binary);
  file.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return file;
}

int PageNumber(int64_t value) {
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
    throw PageError("page number " + std::to_string(value) + " is out of range");
  return static_cast<int>(value);
}
