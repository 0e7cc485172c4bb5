#include "run/cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <set>
#include <system_error>

#include "pages/picture_list.h"
#include "pictures/jpeg_io.h"
#include "settings/text.h"

namespace {

// A folder held open, so that every look-up and deletion of the clean-up
// happens in the folder that was checked, whatever is renamed meanwhile.
class OpenFolder {
 public:
  explicit OpenFolder(int fd) : fd_(fd) {}
  ~OpenFolder() {
    if (fd_ >= 0) close(fd_);
  }
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// The thumbnail folder. A subfolder is opened without following a link: a
// link to a folder elsewhere holds files that are not the gallery's own.
int OpenThumbFolder(const std::string& thumb_dir, const std::string& picture_dir) {
  int follow = thumb_dir == picture_dir ? 0 : O_NOFOLLOW;
  return open(thumb_dir.empty() ? "/" : thumb_dir.c_str(),
              O_RDONLY | O_DIRECTORY | O_CLOEXEC | follow);
}

// Lower-cased names of the regular files of `dir`.
std::set<std::string> FileNamesNoCase(const std::string& dir) {
  std::set<std::string> names;
  for (const std::string& name : RegularFileNames(dir)) names.insert(LowerCase(name));
  return names;
}

// The non-hidden names of the open folder that have a picture extension,
// sorted by name.
std::vector<std::string> PictureNames(int dir_fd) {
  std::vector<PictureFile> files;
  DIR* stream = fdopendir(dup(dir_fd));
  if (!stream) return {};
  while (const dirent* entry = readdir(stream)) {
    std::string name = entry->d_name;
    if (name[0] != '.' && HasPictureExtension(name)) files.push_back({std::move(name), 0});
  }
  closedir(stream);
  SortByName(&files);
  std::vector<std::string> names;
  for (PictureFile& file : files) names.push_back(std::move(file.name));
  return names;
}

// `stem` with each extension of the chosen extra types.
void AddExtraCandidates(const std::string& stem, ExtraFormats formats,
                        std::vector<std::string>* candidates) {
  for (const ExtraFormatInfo& info : kExtraFormats)
    for (std::string_view ext : info.extensions)
      if (formats.Has(info.format) && !ext.empty())
        candidates->push_back(stem + "." + std::string(ext));
}

// The picture names whose thumbnail `thumb` would be: the four of the
// standard types, those of the extra ones, and for a double those of the
// name without its mark; none when the name is too short to hold the affix
// and an extension.
std::optional<std::vector<std::string>> Candidates(const std::string& thumb,
                                                   const ThumbNaming& naming,
                                                   ExtraFormats formats) {
  int64_t len = static_cast<int64_t>(CharCount(thumb));
  int64_t mark = static_cast<int64_t>(CharCount(naming.affix));
  std::vector<std::string> candidates;
  if (naming.before) {
    if (len - mark < 4) return std::nullopt;
    std::string c1 = CharRight(thumb, len - mark);
    std::string stem = CharLeft(c1, len - mark - 4);
    candidates = {c1, stem + ".jpeg", stem + ".gif", stem + ".bmp"};
    AddExtraCandidates(stem, formats, &candidates);
    return candidates;
  }
  if (len - mark - 4 < 0) return std::nullopt;
  std::vector<std::string> bases = {CharLeft(thumb, len - mark - 4)};
  std::string double_end = naming.affix + kDoubleMark + ".jpg";
  if (thumb.ends_with(double_end))
    bases.push_back(thumb.substr(0, thumb.size() - double_end.size()));
  for (const std::string& base : bases) {
    for (const char* ext : {".jpg", ".jpeg", ".gif", ".bmp"}) candidates.push_back(base + ext);
    AddExtraCandidates(base, formats, &candidates);
  }
  return candidates;
}

// The test by name: the name holds the affix and no picture it could stand
// for exists, in any letter case.
bool NamedLikeOrphan(const std::string& thumb, const ThumbNaming& naming, ExtraFormats formats,
                     const std::set<std::string>& pictures) {
  if (thumb.find(naming.affix) == std::string::npos) return false;
  auto candidates = Candidates(thumb, naming, formats);
  if (!candidates) return false;
  for (const std::string& c : *candidates)
    if (pictures.count(LowerCase(c))) return false;
  return true;
}

bool IsOrphan(int dir_fd, const std::string& name, const ThumbNaming& naming, ExtraFormats formats,
              const std::set<std::string>& pictures) {
  return NamedLikeOrphan(name, naming, formats, pictures) && IsOwnThumbnail(dir_fd, name);
}

std::vector<std::string> FindOrphans(int dir_fd, const std::string& picture_dir,
                                     const ThumbNaming& naming, ExtraFormats formats) {
  std::vector<std::string> orphans;
  if (naming.affix.empty() && !naming.store_in_sub) return orphans;
  std::set<std::string> pictures = FileNamesNoCase(picture_dir);
  for (const std::string& name : PictureNames(dir_fd))
    if (IsOrphan(dir_fd, name, naming, formats, pictures)) orphans.push_back(name);
  return orphans;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.empty() ? "/" : path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::vector<std::string> FindOrphanThumbs(const std::string& thumb_dir,
                                          const std::string& picture_dir, const ThumbNaming& naming,
                                          ExtraFormats formats) {
  OpenFolder folder(OpenThumbFolder(thumb_dir, picture_dir));
  return folder.fd() < 0 ? std::vector<std::string>{}
                         : FindOrphans(folder.fd(), picture_dir, naming, formats);
}

std::string DeleteListText(const std::string& thumb_dir, const std::vector<std::string>& orphans) {
  std::string text =
      "It appears that the source files for\r\n"
      "the following thumbnails do not exist.\r\n"
      "Do you wish to delete them?\r\n"
      "---------------------------\r\n";
  for (const std::string& name : orphans) text += VisibleControls(thumb_dir + "/" + name) + "\r\n";
  return text;
}

void CleanOrphanThumbs(const std::string& thumb_dir, const std::string& picture_dir,
                       const ThumbNaming& naming, RunHost* host, ExtraFormats formats) {
  if (!IsDirectory(picture_dir)) return;
  OpenFolder folder(OpenThumbFolder(thumb_dir, picture_dir));
  if (folder.fd() < 0) return;
  std::vector<std::string> orphans = FindOrphans(folder.fd(), picture_dir, naming, formats);
  if (orphans.empty() || !host->ConfirmDelete(DeleteListText(thumb_dir, orphans))) return;
  // Only the thumbnails shown are deleted, each tested again just before: a
  // picture restored meanwhile keeps its thumbnail, and a file put in a
  // thumbnail's place is not the program's own.
  std::set<std::string> pictures = FileNamesNoCase(picture_dir);
  for (const std::string& name : orphans) {
    if (!IsOrphan(folder.fd(), name, naming, formats, pictures) ||
        unlinkat(folder.fd(), name.c_str(), 0) == 0)
      continue;
    std::string reason = std::generic_category().message(errno);
    host->Warn(VisibleControls(thumb_dir + "/" + name + ": the thumbnail cannot be deleted (" +
                               reason + ")"));
  }
}
