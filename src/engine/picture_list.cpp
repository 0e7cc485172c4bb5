#include "engine/picture_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "settings/text.h"

namespace fs = std::filesystem;

bool HasPictureExtension(const std::string& name) {
  std::string ext = LowerCase(GetExtension(name));
  return ext == "jpg" || ext == "jpeg" || ext == "gif" || ext == "bmp";
}

void SortByName(std::vector<PictureFile>* files) {
  std::vector<std::pair<std::string, PictureFile>> keyed;
  keyed.reserve(files->size());
  for (PictureFile& f : *files) keyed.emplace_back(LowerCase(f.name), std::move(f));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return a.second.name < b.second.name;
  });
  for (size_t i = 0; i < keyed.size(); ++i) (*files)[i] = std::move(keyed[i].second);
}

std::vector<PictureFile> ListPictures(const std::string& dir) {
  std::vector<PictureFile> files;
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? "/" : dir, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.' || !HasPictureExtension(name)) continue;
    std::error_code entry_ec;
    if (!it->is_regular_file(entry_ec)) continue;
    uint64_t size = it->file_size(entry_ec);
    files.push_back({name, entry_ec ? 0 : size});
  }
  SortByName(&files);
  return files;
}
