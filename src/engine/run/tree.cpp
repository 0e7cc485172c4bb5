#include "run/tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <system_error>
#include <utility>

#include "pages/express_gallery.h"
#include "pages/page_names.h"
#include "pages/picture_list.h"
#include "pages/picture_table.h"
#include "pages/tree_index.h"
#include "run/run.h"
#include "settings/file_io.h"
#include "settings/text.h"

namespace {

// What one folder holds, as far as the walk needs it.
struct FolderLook {
  bool has_picture = false;
  std::vector<PictureFile> children;  // folders to enter, by name
};

// A folder on the way down from the top, and what is left to enter in it.
struct Level {
  std::vector<PictureFile> children;  // the folders still to enter, the next one last
  dev_t dev = 0;                      // the folder itself, to know it again from below
  ino_t ino = 0;
  size_t path_size = 0;  // the length of the path of the folder above it
};

// Walks a tree with one folder open at a time: down by name, back up by
// "..", with a list of the folders still to enter on each level. Neither the
// program's stack, nor its open files, nor the longest path the system takes
// bound the depth; memory grows with the depth and the names alone.
class TreeWalk {
 public:
  TreeWalk(const TreeRules& rules, std::vector<std::string>* folders,
           std::vector<TreeWarning>* warnings)
      : rules_(rules), folders_(folders), warnings_(warnings) {}

  // Walks the tree below the folder open at `fd`, named `path`; closes `fd`.
  void Run(int fd, std::string path) {
    fd_ = fd;
    path_ = std::move(path);
    struct stat st;
    if (fstat(fd_, &st) == 0) Enter(st);
    while (!levels_.empty()) {
      Level& level = levels_.back();
      if (!level.children.empty()) {
        std::string name = std::move(level.children.back().name);
        level.children.pop_back();
        Down(name);
      } else if (!Up()) {
        break;
      }
    }
    close(fd_);
  }

 private:
  void Warn(const std::string& problem) {
    if (warnings_) warnings_->push_back({path_, (path_.empty() ? "/" : path_) + ": " + problem});
  }
  void WarnErrno(int error) {
    Warn("the folder cannot be read (" + std::generic_category().message(error) +
         "); it is left out, and the folders in it");
  }

  // Enters the folder `name` of the current one, unless it was met before.
  void Down(const std::string& name) {
    size_t before = path_.size();
    path_.append("/").append(name);
    int child = openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st;
    if (child < 0) {
      WarnErrno(errno);
    } else if (fstat(child, &st) != 0 || seen_.count({st.st_dev, st.st_ino})) {
      close(child);
    } else {
      close(fd_);
      fd_ = child;
      return Enter(st, before);
    }
    path_.resize(before);
  }

  // Lists the folder just entered (`st`) and notes it when it is a gallery.
  void Enter(const struct stat& st, size_t path_size = 0) {
    seen_.insert({st.st_dev, st.st_ino});
    FolderLook look;
    if (int error = Look(&look); error != 0) WarnErrno(error);
    if (look.has_picture && !levels_.empty()) folders_->push_back(path_);
    SortByName(&look.children);
    std::reverse(look.children.begin(), look.children.end());
    levels_.push_back({std::move(look.children), st.st_dev, st.st_ino, path_size});
  }

  // Leaves the current folder for the one above; false when that is not the
  // folder it was (moved meanwhile), which ends the walk.
  bool Up() {
    size_t path_size = levels_.back().path_size;
    levels_.pop_back();
    if (levels_.empty()) return true;
    int parent = openat(fd_, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st;
    bool same = parent >= 0 && fstat(parent, &st) == 0 && st.st_dev == levels_.back().dev &&
                st.st_ino == levels_.back().ino;
    path_.resize(path_size);
    if (!same) {
      if (parent >= 0) close(parent);
      Warn(
          "the folder was moved while the tree was read; the folders in it not yet read are "
          "left out");
      return false;
    }
    close(fd_);
    fd_ = parent;
    return true;
  }

  bool IsPicture(const dirent& entry) const {
    std::string_view name = entry.d_name;
    if (!HasPictureExtension(name, rules_.formats)) return false;
    if (!Trim(rules_.affix).empty() && name.find(rules_.affix) != std::string_view::npos)
      return false;
    struct stat st;
    return entry.d_type == DT_REG ||
           (fstatat(fd_, entry.d_name, &st, 0) == 0 && S_ISREG(st.st_mode));
  }

  bool IsFolderToEnter(const dirent& entry) const {
    if (entry.d_name == rules_.thumb_folder) return false;
    struct stat st;
    if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
    return fstatat(fd_, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
  }

  // Reads the current folder into `look`; the error number when it fails.
  int Look(FolderLook* look) const {
    int listing = dup(fd_);
    DIR* stream = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!stream) {
      int error = errno;
      if (listing >= 0) close(listing);
      return error;
    }
    errno = 0;
    while (const dirent* entry = readdir(stream)) {
      if (entry->d_name[0] != '.' && IsFolderToEnter(*entry))
        look->children.push_back({entry->d_name, 0});
      else if (entry->d_name[0] != '.' && !look->has_picture)
        look->has_picture = IsPicture(*entry);
      errno = 0;
    }
    int error = errno;
    closedir(stream);
    return error;
  }

  const TreeRules& rules_;
  std::vector<std::string>* folders_;
  std::vector<TreeWarning>* warnings_;
  std::set<std::pair<dev_t, ino_t>> seen_;
  std::vector<Level> levels_;
  int fd_ = -1;       // the folder the walk is in
  std::string path_;  // its path
};

// The gallery of `folder` as the tree index shows it, by the mode's naming;
// false when the folder has no picture.
bool FirstOfGallery(const std::string& folder, bool advanced, const AdvancedSettings& settings,
                    ExtraFormats formats, TreeGallery* gallery) {
  std::vector<PictureFile> pictures = ListPictures(folder, nullptr, formats);
  if (!advanced) {
    std::vector<Entry> entries = MakeEntries(pictures);
    if (entries.empty()) return false;
    gallery->first_page = ExpressPageFileName(1);
    gallery->thumb =
        std::string(kExpressThumbFolder) + "/" + BaseName(entries[0].name) + kExpressAffix + ".jpg";
    return true;
  }
  std::vector<PictureEntry> table = BuildPictureTable(pictures, settings);
  int64_t start_at = RoundHalfEven(Val(settings.StartAt));
  if (table.empty() || !FitsInt16(start_at)) return false;
  gallery->first_page = MakePageFileName(static_cast<int>(start_at), settings);
  bool thumbnails = !settings.ThumbExt.empty() || IsOn(settings.StoreInSub);
  gallery->thumb = thumbnails ? ThumbPathTag(settings) + table[0].thumb_name : "";
  return true;
}

}  // namespace

TreeRules RunTreeRules(bool advanced, const AdvancedSettings& settings, ExtraFormats formats) {
  if (!advanced) return {kExpressThumbFolder, kExpressAffix, formats};
  return {IsOn(settings.StoreInSub) ? settings.SubFolderName : "", settings.ThumbExt, formats};
}

std::vector<std::string> PictureTree(const std::string& root, const TreeRules& rules,
                                     std::vector<TreeWarning>* warnings) {
  std::vector<std::string> folders = {root};
  int fd = open(root.empty() ? "." : root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return folders;
  TreeWalk(rules, &folders, warnings).Run(fd, StripTrailingSlashes(root));
  return folders;
}

std::string TreeRelative(const std::string& root, const std::string& folder) {
  std::string base = StripTrailingSlashes(root);
  return folder == root || folder == base ? "" : folder.substr(base.size() + 1);
}

uint32_t ShardOf(std::string_view relative, uint32_t count) {
  uint64_t hash = 14695981039346656037u;
  for (unsigned char byte : relative) hash = (hash ^ byte) * 1099511628211u;
  return static_cast<uint32_t>(hash % count) + 1;
}

bool MakeTreeIndex(const std::string& root, const std::vector<std::string>& folders, bool advanced,
                   const AdvancedSettings& settings, ExtraFormats formats, std::string* warning) {
  std::string base = StripTrailingSlashes(root);
  std::vector<TreeGallery> galleries;
  for (const std::string& folder : folders) {
    TreeGallery gallery;
    gallery.folder = TreeRelative(root, folder);
    std::string full = gallery.folder.empty() ? base : folder;
    if (FirstOfGallery(full.empty() ? "/" : full, advanced, settings, formats, &gallery) &&
        IsRegularFile(full + "/" + gallery.first_page))
      galleries.push_back(std::move(gallery));
  }
  if (galleries.empty()) {
    *warning = root + ": the tree holds no gallery; no tree index is written";
    return false;
  }
  std::string top = StripTrailingSlashes(FullPath(root));  // a title even for "."
  return WriteTreeIndex(base + "/" + kLandingPageName,
                        TreeIndexText(top.substr(top.rfind('/') + 1), galleries), warning);
}
