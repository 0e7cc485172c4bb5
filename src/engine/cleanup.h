// Deleting thumbnails whose pictures are gone, after the user confirms.
#pragma once

#include <string>
#include <vector>

#include "engine/run_host.h"
#include "engine/thumb_batch.h"

/// The thumbnails in `thumb_dir` (picture-mask files whose name holds the
/// affix) for which no picture of the same base name with any of the four
/// extensions exists in `picture_dir`, in any letter case. Sorted by name.
/// With an empty affix and no subfolder nothing is ever listed: the folder's
/// own pictures would look like orphans.
std::vector<std::string> FindOrphanThumbs(const std::string& thumb_dir,
                                          const std::string& picture_dir,
                                          const ThumbNaming& naming);

/// The confirmation text: four header lines, 27 hyphens, one path per line.
std::string DeleteListText(const std::string& thumb_dir, const std::vector<std::string>& orphans);

/// Lists the orphans, asks `host` when there are any, and on confirmation
/// deletes each listed thumbnail that is still an orphan when tested afresh;
/// a thumbnail that appeared while the question was open is not touched.
/// Does nothing when `picture_dir` does not exist.
void CleanOrphanThumbs(const std::string& thumb_dir, const std::string& picture_dir,
                       const ThumbNaming& naming, RunHost* host);
