// The metadata facts of a directory's pictures, kept between runs in a cache
// file of the run's own thumbnail folder, so that a rerun reads again only
// the pictures that changed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pages/picture_list.h"

/// The cache file's name in the thumbnail folder, and the first line that
/// marks it as the program's own.
inline constexpr char kFactsCacheName[] = ".kesto-facts";
inline constexpr std::string_view kFactsCacheMark = "KESTO metadata cache 1\n";

/// Sets the facts of each of `pictures` (listed in `dir`): from the cache in
/// `thumb_dir` when the picture's size and modification time are the ones
/// noted there, else read from the picture. When anything was read or a
/// picture is gone the cache is written anew (atomically). A file at the
/// cache's path that is not the program's own (a link, a folder, a file
/// without the mark) is neither read nor replaced: the facts are read from
/// the pictures and the returned warning says why; otherwise returns "".
std::string FillPhotoFacts(const std::string& dir, const std::string& thumb_dir,
                           std::vector<PictureFile>* pictures);
