// The size of a picture or thumbnail in whole pixels, shared by the readers
// and the thumbnail maker, and how the thumbnail options choose it.
#pragma once

#include <cstdint>

struct ThumbOptions;

/// The largest thumbnail side, in pixels (a JPEG holds up to 65535).
inline constexpr int64_t kMaxThumbSide = 32767;

/// True for a side a thumbnail can have: 1 to kMaxThumbSide pixels.
constexpr bool ValidThumbSide(int64_t side) { return side >= 1 && side <= kMaxThumbSide; }

struct ThumbSize {
  int64_t width = 0;
  int64_t height = 0;
};

enum class ResizeBy { kHeight, kWidth, kBoth };

/// The resize method in force: "Width" and "Both" as written, anything else Height.
ResizeBy EffectiveResize(const ThumbOptions& options);
