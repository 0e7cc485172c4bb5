// Thumbnails: one JPEG thumbnail per picture, written through a temporary file.
#pragma once

#include <cstdint>
#include <string>

#include "settings/records.h"

enum class ResizeBy { kHeight, kWidth, kBoth };

/// The resize method in force: "Width" and "Both" as written, anything else Height.
ResizeBy EffectiveResize(const ThumbOptions& options);

/// The size the run passes for every picture: the Height box when resizing by
/// height, else the Width box, read as a number and rounded half to even.
int64_t ThumbTarget(const ThumbOptions& options);

struct ThumbSize {
  int64_t width = 0;
  int64_t height = 0;
};

/// The whole-pixel size of the thumbnail of a `source` picture: the scale
/// factor in 32-bit floats, then rounded half to even, never below 1. "Both"
/// takes the Height and Width boxes as they are. A size of 0 or more than
/// 32767 on either side means the picture cannot be thumbnailed.
ThumbSize ComputeThumbSize(ThumbSize source, int64_t target, const ThumbOptions& options);

struct ThumbResult {
  bool exists = false;  // a file is at the thumbnail path after the attempt
  std::string error;    // empty when the thumbnail was written
};

/// Writes a thumbnail of `picture` to `thumb_path` (temporary file, then
/// rename). On failure an older file at `thumb_path` is left untouched; the
/// caller lists the picture as corrupted when !exists.
ThumbResult MakeThumbnail(const std::string& picture, const std::string& thumb_path, int64_t target,
                          const ThumbOptions& options);

/// The size label of the progress window: "998 Kb", "1.0 MB".
std::string SizeLabel(uint64_t bytes);
