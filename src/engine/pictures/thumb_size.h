// The size of a picture or thumbnail in whole pixels, shared by the readers
// and the thumbnail maker.
#pragma once

#include <cstdint>

/// The largest thumbnail side, in pixels (a JPEG holds up to 65535).
inline constexpr int64_t kMaxThumbSide = 32767;

struct ThumbSize {
  int64_t width = 0;
  int64_t height = 0;
};
