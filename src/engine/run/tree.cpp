#include "run/tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
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

class TreeWalk {
 public:
  TreeWalk(const TreeRules& rules, std::vector<std::string>* folders)
      : rules_(rules), folders_(folders) {}

  // Lists the folder open at `fd` (named `path`) and enters its folders;
  // closes `fd`.
  void Enter(int fd, const std::string& path) {
    struct stat st;
    if (fstat(fd, &st) != 0 || !seen_.insert({st.st_dev, st.st_ino}).second) {
      close(fd);
      return;
    }
    FolderLook look = Look(fd);
    if (look.has_picture && path != root_path_) folders_->push_back(path);
    SortByName(&look.children);
    for (const PictureFile& child : look.children) {
      int child_fd =
          openat(fd, child.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (child_fd >= 0) Enter(child_fd, path + "/" + child.name);
    }
    close(fd);
  }

  void SetRoot(const std::string& path) { root_path_ = path; }

 private:
  bool IsPicture(int fd, const dirent& entry) const {
    std::string_view name = entry.d_name;
    if (!HasPictureExtension(name, rules_.formats)) return false;
    if (!Trim(rules_.affix).empty() && name.find(rules_.affix) != std::string_view::npos)
      return false;
    struct stat st;
    return entry.d_type == DT_REG ||
           (fstatat(fd, entry.d_name, &st, 0) == 0 && S_ISREG(st.st_mode));
  }

  bool IsFolderToEnter(int fd, const dirent& entry) const {
    if (entry.d_name == rules_.thumb_folder) return false;
    struct stat st;
    if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
    return fstatat(fd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
  }

  FolderLook Look(int fd) const {
    FolderLook look;
    int listing = dup(fd);
    DIR* stream = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!stream) {
      if (listing >= 0) close(listing);
      return look;
    }
    while (const dirent* entry = readdir(stream)) {
      if (entry->d_name[0] == '.') continue;
      if (IsFolderToEnter(fd, *entry))
        look.children.push_back({entry->d_name, 0});
      else if (!look.has_picture)
        look.has_picture = IsPicture(fd, *entry);
    }
    closedir(stream);
    return look;
  }

  const TreeRules& rules_;
  std::vector<std::string>* folders_;
  std::set<std::pair<dev_t, ino_t>> seen_;
  std::string root_path_;
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

std::vector<std::string> PictureTree(const std::string& root, const TreeRules& rules) {
  std::vector<std::string> folders = {root};
  int fd = open(root.empty() ? "." : root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return folders;
  TreeWalk walk(rules, &folders);
  std::string base = StripTrailingSlashes(root);
  walk.SetRoot(base);
  walk.Enter(fd, base);
  return folders;
}

bool MakeTreeIndex(const std::string& root, const std::vector<std::string>& folders, bool advanced,
                   const AdvancedSettings& settings, ExtraFormats formats, std::string* warning) {
  std::string base = StripTrailingSlashes(root);
  std::vector<TreeGallery> galleries;
  for (const std::string& folder : folders) {
    TreeGallery gallery;
    bool is_root = folder == root;
    std::string full = is_root ? base : folder;
    if (!is_root) gallery.folder = folder.substr(base.size() + 1);
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
