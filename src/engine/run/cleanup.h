// Deleting thumbnails whose pictures are gone, after the user confirms.
#pragma once

#include <string>
#include <vector>

#include "run/run_host.h"
#include "run/thumb_batch.h"

/// The thumbnails in `thumb_dir` (picture-mask files whose name holds the
/// affix) for which no picture of the same base name with any of the four
/// extensions, or of the `formats` chosen, exists in `picture_dir`, in any
/// letter case. With the affix after the name, "NAME<affix>@2x.jpg" stands
/// for NAME as "NAME<affix>.jpg" does. Sorted by name. Only the program's own
/// thumbnails are listed: regular files, not links, that carry the thumbnail
/// mark; a thumbnail subfolder that is a link to another folder gives none.
/// With an empty affix and no subfolder nothing is ever listed.
std::vector<std::string> FindOrphanThumbs(const std::string& thumb_dir,
                                          const std::string& picture_dir, const ThumbNaming& naming,
                                          ExtraFormats formats = {});

/// The confirmation text: four header lines, 27 hyphens, one path per line,
/// control characters of a path written visibly.
std::string DeleteListText(const std::string& thumb_dir, const std::vector<std::string>& orphans);

/// Lists the orphans, asks `host` when there are any, and on confirmation
/// deletes each listed thumbnail that is still an orphan, and still the
/// program's own, when tested afresh just before its deletion. One that
/// cannot be deleted stays, and `host` is warned.
/// Does nothing when `picture_dir` does not exist.
void CleanOrphanThumbs(const std::string& thumb_dir, const std::string& picture_dir,
                       const ThumbNaming& naming, RunHost* host, ExtraFormats formats = {});
