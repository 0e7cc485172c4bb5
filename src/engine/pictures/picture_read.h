// What the picture readers share: they decode straight to the thumbnail size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pictures/raster.h"
#include "pictures/thumb_size.h"

/// Pictures larger than this many pixels are refused before decoding.
constexpr int64_t kMaxPicturePixels = 250'000'000;

/// Called once a reader knows the stored size and the EXIF orientation of a
/// picture: sets `out` to the sizes to resample to (in stored orientation;
/// one decode serves them all), or returns false with `err` set to refuse the
/// picture.
using SizePlan = std::function<bool(ThumbSize stored, int orientation, std::vector<ThumbSize>* out,
                                    std::string* err)>;

/// The smallest size that covers each of `sizes`: what a decode must reach.
inline ThumbSize Covering(const std::vector<ThumbSize>& sizes) {
  ThumbSize cover;
  for (const ThumbSize& s : sizes)
    cover = {std::max(cover.width, s.width), std::max(cover.height, s.height)};
  return cover;
}

struct DecodedPicture {
  std::vector<Raster> rasters;  // one per planned size, still in stored orientation
  int orientation = 1;          // EXIF orientation 1..8
  std::vector<uint8_t> icc;     // the embedded colour profile, empty when none
};

enum class ReadStatus {
  kOk,
  kFailed,       // a broken or refused picture; the error says why
  kUnsupported,  // a variant this reader leaves to the general reader
};
