// The page at the top of a photo tree, its landing page (kLandingPageName):
// one cell per gallery of the tree, each linking the gallery's first index
// page and showing its first thumbnail.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// One gallery of the tree, by paths relative to the top ("/" between names).
struct TreeGallery {
  std::string folder;      // "2024/Holidays"; "" for the top folder itself
  std::string first_page;  // file name of its first index page
  std::string thumb;       // its first thumbnail, relative to the folder; "" when none
};

/// The line that marks a tree index as the program's own, right after the
/// byte-order mark; a page without it is never replaced.
inline constexpr std::string_view kTreeIndexMark = "<!-- KESTO tree index -->";

/// The page's text: the byte-order mark, the mark, the title (the top folder's
/// name) and a table of the galleries, four to a row, in the order given.
std::string TreeIndexText(std::string_view title, const std::vector<TreeGallery>& galleries);

/// True when the file at `path` is a regular file, not a link, that starts
/// with the byte-order mark and the tree index mark.
bool IsOwnTreeIndex(const std::string& path);

/// Puts `text` at `path` (WritePage()) when nothing is there or the file there
/// is the program's own tree index. False, with `error` saying why, when
/// something else is there (a page of the user's own is never replaced) or
/// the page cannot be written.
bool WriteTreeIndex(const std::string& path, std::string_view text, std::string* error);
