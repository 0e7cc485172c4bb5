// Thumbnails: one JPEG thumbnail per picture, written through a temporary file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/thumb_size.h"
#include "settings/picture_formats.h"
#include "settings/records.h"

/// The size the run passes for every picture: the Height box when resizing by
/// height, else the Width box, read as a number and rounded half to even.
int64_t ThumbTarget(const ThumbOptions& options);

/// The whole-pixel size of the thumbnail of a `source` picture: the scale
/// factor in 32-bit floats, then rounded half to even, never below 1. "Both"
/// takes the Height and Width boxes as they are. A side that comes out 0 or
/// less is 0, and both are 0 when `target` is outside 1..32767; a side of 0
/// or more than 32767 means the picture cannot be thumbnailed.
ThumbSize ComputeThumbSize(ThumbSize source, int64_t target, const ThumbOptions& options);

struct ThumbResult {
  bool exists = false;  // a file is at the thumbnail path after the attempt
  std::string error;    // empty when the thumbnail was written, or a double left out
};

/// What a run may add to the options; the defaults change nothing.
struct ThumbChoices {
  ExtraFormats formats;  // the extra picture types libvips may read
  int scale = 1;         // 2: both sides twice ComputeThumbSize's, for sharp screens
};

/// Writes a thumbnail of `picture` (JPEG, GIF's first frame, BMP or PNG,
/// and the types of `choices.formats`, whatever its name) to `thumb_path`:
/// turned upright by its orientation, converted to sRGB, smoothly scaled to
/// ComputeThumbSize (times `choices.scale`),
/// encoded at the options' quality (progressive when asked), no metadata.
/// Pictures above 250 megapixels are refused unread. A double (scale 2)
/// beyond the picture's own size or beyond 32767 pixels is left out without
/// an error: it would hold nothing more, or cannot be made. The file is
/// written to a temporary file beside `thumb_path` and renamed into place,
/// only when MayWriteThumbnail() still allows it just before; on failure an
/// older file at `thumb_path` is left untouched. The caller lists the picture
/// as corrupted when !exists. Safe to call from several threads at once.
ThumbResult MakeThumbnail(const std::string& picture, const std::string& thumb_path, int64_t target,
                          const ThumbOptions& options, const ThumbChoices& choices = {});

/// One file to make of a picture: MakeThumbnail()'s `thumb_path` and scale.
struct ThumbOutput {
  std::string path;
  int scale = 1;
};

/// MakeThumbnail() for each of `outputs` (a thumbnail and its double) from
/// one decode of `picture`, at the scale the largest needs; each file is
/// checked, written and told of on its own, one result per output.
std::vector<ThumbResult> MakeThumbnails(const std::string& picture,
                                        const std::vector<ThumbOutput>& outputs, int64_t target,
                                        const ThumbOptions& options, ExtraFormats formats = {});

/// True when a thumbnail may be written at `path`: nothing is there, or a
/// thumbnail the program wrote (IsOwnThumbnail()). Anything else there (the
/// user's file, a link, a folder) stays as it is.
bool MayWriteThumbnail(const std::string& path);

/// Why no thumbnail is written at `path` when MayWriteThumbnail() says no.
std::string KeptFileError(const std::string& path);

/// The size label of the progress window: K = bytes / 1024 rounded half to
/// even, "998 Kb" below 1000, else K / 1000 to one decimal place ("1.0 MB";
/// the decimal rounds half away from zero, as the number format does).
std::string SizeLabel(uint64_t bytes);
