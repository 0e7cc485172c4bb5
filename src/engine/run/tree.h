// Whole photo trees: the folders of a tree that become galleries, and the
// page at the top of the tree that leads to each of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/picture_formats.h"
#include "settings/records.h"

/// What makes a folder of a tree a gallery, as a run in one mode sees it.
struct TreeRules {
  std::string thumb_folder;  // the run's thumbnail subfolder; "" when beside the pictures
  std::string affix;         // a name holding it is a thumbnail, not a picture
  ExtraFormats formats;      // the picture types taken besides the standard ones
};

/// A folder of a tree that could not be walked, and the line that says why.
struct TreeWarning {
  std::string folder;
  std::string text;
};

/// The rules of a run: Express "thumbs" and "_tn"; Advanced SubFolderName
/// (when StoreInSub is on) and ThumbExt.
TreeRules RunTreeRules(bool advanced, const AdvancedSettings& settings, ExtraFormats formats);

/// `root` as given, then every folder below it that holds a picture (a file
/// of a picture type whose name does not hold the affix; any such file when
/// the affix is blank), each folder before the folders inside it, names in
/// the picture list's order. Hidden folders, folders named like the
/// thumbnail folder and links to folders are not entered, nor is a folder
/// met a second time. A folder that cannot be entered or read (permissions,
/// no free file handle) is left out, with a line naming it in `warnings`.
/// A root that cannot be opened gives itself alone. Any depth is walked,
/// paths longer than the system takes too, with two files open at a time.
std::vector<std::string> PictureTree(const std::string& root, const TreeRules& rules,
                                     std::vector<TreeWarning>* warnings = nullptr);

/// The path of `folder` (`root` or a folder PictureTree() gave for it)
/// relative to the top of the tree: "" for the top, "2024/Holidays" below it.
std::string TreeRelative(const std::string& root, const std::string& folder);

/// The shard, 1 to `count`, that makes the gallery at `relative`
/// (TreeRelative()) when a run is split into `count` shards: the 64-bit FNV-1a
/// hash of the path's bytes modulo `count`, plus 1. It depends on that path
/// alone, so a folder added to a tree moves no other to another shard.
uint32_t ShardOf(std::string_view relative, uint32_t count);

/// Writes the tree index ("index.html") in `root` for the galleries of
/// `folders` (PictureTree(root, ...)) as a run of the mode made them: Express
/// ones start at "page1.html" and show "thumbs/NAME_tn.jpg", Advanced ones
/// start at the page StartAt numbers and show the thumbnail their settings
/// name. A folder whose first index page is missing is left out. False, with
/// `warning` saying why, when there is no gallery to show, when a file there
/// is not the program's own tree index, or when the page cannot be written.
bool MakeTreeIndex(const std::string& root, const std::vector<std::string>& folders, bool advanced,
                   const AdvancedSettings& settings, ExtraFormats formats, std::string* warning);
