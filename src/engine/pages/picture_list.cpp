#include "pages/picture_list.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <numeric>

#include "settings/text.h"

namespace {

// The length and time of the entry when it is a regular file (or a link to one).
bool RegularFileSize(int dir_fd, const dirent& entry, uint64_t* size, int64_t* mtime_ns = nullptr) {
  if (entry.d_type != DT_REG && entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat st;
  if (fstatat(dir_fd, entry.d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) return false;
  *size = static_cast<uint64_t>(st.st_size);
  if (mtime_ns) *mtime_ns = st.st_mtim.tv_sec * int64_t{1'000'000'000} + st.st_mtim.tv_nsec;
  return true;
}

}  // namespace

std::vector<std::string> RegularFileNames(const std::string& dir) {
  std::vector<std::string> names;
  DIR* stream = opendir(dir.empty() ? "/" : dir.c_str());
  if (!stream) return names;
  uint64_t size = 0;
  while (const dirent* entry = readdir(stream))
    if (entry->d_type == DT_REG || RegularFileSize(dirfd(stream), *entry, &size))
      names.emplace_back(entry->d_name);
  closedir(stream);
  return names;
}

void SortByName(std::vector<PictureFile>* files) {
  std::vector<std::string> keys;
  keys.reserve(files->size());
  for (const PictureFile& f : *files) keys.push_back(LowerCase(f.name));
  std::vector<size_t> order(files->size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    int by_key = keys[a].compare(keys[b]);
    return by_key != 0 ? by_key < 0 : (*files)[a].name < (*files)[b].name;
  });
  std::vector<PictureFile> sorted;
  sorted.reserve(files->size());
  for (size_t i : order) sorted.push_back(std::move((*files)[i]));
  *files = std::move(sorted);
}

void SortByDateTaken(std::vector<PictureFile>* files) {
  std::stable_sort(files->begin(), files->end(), [](const PictureFile& a, const PictureFile& b) {
    const std::string& x = a.facts.date_taken;
    const std::string& y = b.facts.date_taken;
    return !x.empty() && (y.empty() || x < y);
  });
}

std::vector<PictureFile> ListPictures(const std::string& dir, bool* readable, ExtraFormats extra) {
  std::vector<PictureFile> files;
  DIR* stream = opendir(dir.empty() ? "/" : dir.c_str());
  if (!stream) {
    if (readable) *readable = false;
    return files;
  }
  int dir_fd = dirfd(stream);
  // A folder that lists its names but lets no file be reached is unreadable too.
  if (readable) *readable = faccessat(dir_fd, ".", X_OK, 0) == 0;
  while (const dirent* entry = readdir(stream)) {
    std::string name = entry->d_name;
    PictureFile file;
    if (name[0] == '.' || !HasPictureExtension(name, extra) ||
        !RegularFileSize(dir_fd, *entry, &file.size, &file.mtime_ns))
      continue;
    file.name = std::move(name);
    files.push_back(std::move(file));
  }
  closedir(stream);
  SortByName(&files);
  return files;
}
