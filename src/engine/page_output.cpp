#include "engine/page_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "settings/file_io.h"

PageFile::PageFile(const std::string& path)
    : fd_(open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666)) {}

PageFile::~PageFile() {
  if (fd_ >= 0) close(fd_);
}

bool PageFile::Replace(std::string_view text) {
  if (fd_ < 0) return false;
  bool ok = WriteAll(fd_, text) && ftruncate(fd_, static_cast<off_t>(text.size())) == 0;
  int error = errno;
  if (close(fd_) != 0 && ok) ok = false, error = errno;
  fd_ = -1;
  errno = error;
  return ok;
}

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
