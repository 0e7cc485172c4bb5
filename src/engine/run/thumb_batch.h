// Which thumbnails of a directory are due, and making them on worker threads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pages/page_names.h"
#include "pages/picture_list.h"
#include "settings/records.h"

/// How thumbnails are named: the affix goes before or after the base name.
struct ThumbNaming {
  std::string affix = kExpressAffix;
  bool before = false;
  bool store_in_sub = true;  // thumbnails in a subfolder (always so in Express mode)
  bool overwrite = false;    // remake thumbnails that exist
  bool doubles = false;      // also one at twice the size, "sunset_tn@2x.jpg" (affix after)
};

/// "sunset.gif" -> "sunset_tn.jpg" (affix after) or "_tnsunset.jpg" (before).
std::string ThumbFileName(const ThumbNaming& naming, const std::string& picture_name);

/// "sunset.gif" -> "sunset_tn@2x.jpg", the thumbnail at twice the size.
std::string DoubleThumbFileName(const ThumbNaming& naming, const std::string& picture_name);

struct ThumbTask {
  size_t index = 0;        // position of the picture in the directory's list
  std::string picture;     // full path of the picture
  std::string name;        // its file name
  uint64_t size = 0;       // its length in bytes
  std::string thumb_path;  // full path of the thumbnail to write
  int scale = 1;           // 2 for the double of a thumbnail
};

/// The due thumbnails of `pictures` (in `dir`) in list order. A thumbnail is
/// due when it is missing and the picture's name does not contain the affix
/// (an empty affix: when stored in a subfolder), or when it exists and
/// overwrite is on. It exists when the exact path is a regular file or was
/// planned earlier in the list. With an empty affix and the thumbnails beside
/// the pictures nothing is due, and a picture is never its own thumbnail.
/// With `doubles` each picture's double follows its thumbnail by the same
/// rule. A due thumbnail whose path holds anything but a thumbnail the
/// program made (MayWriteThumbnail()) is not planned but put in `kept` (once
/// per path): that file stays. Temporary files a killed run left in
/// `thumb_dir` are deleted on the way.
std::vector<ThumbTask> PlanThumbnails(const std::string& dir, const std::string& thumb_dir,
                                      const std::vector<PictureFile>& pictures,
                                      const ThumbNaming& naming,
                                      std::vector<ThumbTask>* kept = nullptr);

/// What the batch tells its caller; every call comes on the caller's thread.
class ThumbListener {
 public:
  virtual ~ThumbListener() = default;
  /// A picture is about to be made (for the labels of the progress display).
  virtual void Starting(const ThumbTask& task) = 0;
  /// A picture is done; `written` is false when it went to the corrupted list
  /// (no file at its thumbnail path); `error` says why making it failed,
  /// also when an older thumbnail stayed.
  virtual void Finished(const ThumbTask& task, bool written, const std::string& error) = 0;
  /// Lets pending events run; returns true when STOP was asked.
  virtual bool Poll() = 0;
};

/// Makes the thumbnails of `tasks` on `workers` threads (0: one per core),
/// starting them in list order; a task waits for an earlier one with the same
/// thumbnail path. The tasks of one picture that follow each other (its
/// thumbnail and its double) are made together from one decode, each told of
/// on its own. Calls Poll() before the first picture and at least every
/// 50 ms; starts no new picture once it returned true. `listener` may be
/// null. `formats` are the extra picture types to read. Returns the full
/// paths of the pictures whose thumbnail could not be written, in list
/// order; a double that could not be written lists no picture.
std::vector<std::string> RunThumbnailBatch(const std::vector<ThumbTask>& tasks, int64_t target,
                                           const ThumbOptions& options, int workers,
                                           ThumbListener* listener, ExtraFormats formats = {});
