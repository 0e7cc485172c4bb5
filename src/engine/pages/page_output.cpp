#include "pages/page_output.h"

#include <sys/stat.h>

#include "settings/file_io.h"

bool WritePage(const std::string& path, std::string_view text, std::string* error) {
  // Pages are not flushed one by one: that would cost a disk flush per page.
  // The rename still gives a reader the old page or the new one, whole.
  return FileHolds(path, text) || WriteFileAtomic(path, text, error, /*flush=*/false);
}

bool WritePagesOrWarn(const std::function<void()>& write, PageWarnings* warnings) {
  try {
    write();
    return true;
  } catch (const PageError& e) {
    warnings->push_back(std::string("the pages stopped early: ") + e.what());
    return false;
  }
}

UserFile ReadUserFile(const std::string& path) {
  UserFile file;
  struct stat st;
  file.found = stat(path.c_str(), &st) == 0;
  if (!file.found) return file;
  if (!ReadWholeFile(path, &file.text, &file.problem))
    file.problem += "; left out of the pages";
  else if (file.text.starts_with(kUtf8Bom))
    file.text.erase(0, kUtf8Bom.size());
  return file;
}

int PageNumber(int64_t value) {
  if (!FitsInt16(value))
    throw PageError("page number " + std::to_string(value) + " is out of range");
  return static_cast<int>(value);
}
