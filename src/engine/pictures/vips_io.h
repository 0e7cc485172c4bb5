// The pictures that the own readers leave over, read with libvips.
#pragma once

#include <string>

#include "pictures/picture_read.h"

/// Reads a JPEG (CMYK, for one) or a PNG with libvips, and a BMP through
/// libvips' ImageMagick loader when `allow_magick` is set; other formats are
/// refused. The picture is flattened onto black, shrunk by whole factors on
/// the way, converted to sRGB and resampled to the planned size.
ReadStatus ReadWithVips(const std::string& path, bool allow_magick, const SizePlan& plan,
                        DecodedPicture* out, std::string* err);
