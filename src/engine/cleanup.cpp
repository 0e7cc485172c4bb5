#include "engine/cleanup.h"

#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

#include "engine/picture_list.h"
#include "settings/text.h"

namespace fs = std::filesystem;

namespace {

// Lower-cased names of the regular files of `dir`.
std::set<std::string> FileNamesNoCase(const std::string& dir) {
  std::set<std::string> names;
  for (const std::string& name : RegularFileNames(dir)) names.insert(LowerCase(name));
  return names;
}

// The four picture names whose thumbnail `thumb` would be; none when the name
// is too short to hold the affix and an extension.
std::optional<std::vector<std::string>> Candidates(const std::string& thumb,
                                                   const ThumbNaming& naming) {
  int64_t len = static_cast<int64_t>(CharCount(thumb));
  int64_t mark = static_cast<int64_t>(CharCount(naming.affix));
  if (naming.before) {
    if (len - mark < 4) return std::nullopt;
    std::string c1 = CharRight(thumb, len - mark);
    std::string stem = CharLeft(c1, len - mark - 4);
    return std::vector<std::string>{c1, stem + ".jpeg", stem + ".gif", stem + ".bmp"};
  }
  if (len - mark - 4 < 0) return std::nullopt;
  std::string base = CharLeft(thumb, len - mark - 4);
  return std::vector<std::string>{base + ".jpg", base + ".jpeg", base + ".gif", base + ".bmp"};
}

bool IsOrphan(const std::string& thumb, const ThumbNaming& naming,
              const std::set<std::string>& pictures) {
  if (thumb.find(naming.affix) == std::string::npos) return false;
  auto candidates = Candidates(thumb, naming);
  if (!candidates) return false;
  for (const std::string& c : *candidates)
    if (pictures.count(LowerCase(c))) return false;
  return true;
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path.empty() ? "/" : path, ec);
}

}  // namespace

std::vector<std::string> FindOrphanThumbs(const std::string& thumb_dir,
                                          const std::string& picture_dir,
                                          const ThumbNaming& naming) {
  std::vector<std::string> orphans;
  if (naming.affix.empty() && !naming.store_in_sub) return orphans;
  std::set<std::string> pictures = FileNamesNoCase(picture_dir);
  for (const PictureFile& file : ListPictures(thumb_dir))
    if (IsOrphan(file.name, naming, pictures)) orphans.push_back(file.name);
  return orphans;
}

std::string DeleteListText(const std::string& thumb_dir, const std::vector<std::string>& orphans) {
  std::string text =
      "It appears that the source files for\r\n"
      "the following thumbnails do not exist.\r\n"
      "Do you wish to delete them?\r\n"
      "---------------------------\r\n";
  for (const std::string& name : orphans) text += thumb_dir + "/" + name + "\r\n";
  return text;
}

void CleanOrphanThumbs(const std::string& thumb_dir, const std::string& picture_dir,
                       const ThumbNaming& naming, RunHost* host) {
  if (!IsDirectory(picture_dir)) return;
  std::vector<std::string> orphans = FindOrphanThumbs(thumb_dir, picture_dir, naming);
  if (orphans.empty() || !host->ConfirmDelete(DeleteListText(thumb_dir, orphans))) return;
  // Only the thumbnails shown are deleted, each tested again against the
  // pictures there now, so one restored meanwhile keeps its thumbnail.
  std::set<std::string> pictures = FileNamesNoCase(picture_dir);
  for (const std::string& name : orphans) {
    if (!IsOrphan(name, naming, pictures)) continue;
    std::error_code ec;
    fs::remove(thumb_dir + "/" + name, ec);  // a file that cannot go is passed over
  }
}
