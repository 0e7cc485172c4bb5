// The pictures that the own readers leave over, read with libvips.
#pragma once

#include <string>

#include "pictures/picture_read.h"
#include "settings/picture_formats.h"

/// Reads a JPEG (CMYK, for one) or a PNG with libvips, a BMP through libvips'
/// ImageMagick loader when `allow_magick` is set, and WebP, TIFF and HEIF
/// (HEIC, AVIF) only when `extra` holds the type; other formats are refused.
/// The picture is flattened onto black, shrunk by whole factors on the way,
/// converted to sRGB and resampled to the planned sizes. A HEIF picture comes
/// upright from its own rotation and mirroring, not from an EXIF orientation.
ReadStatus ReadWithVips(const std::string& path, bool allow_magick, ExtraFormats extra,
                        const SizePlan& plan, DecodedPicture* out, std::string* err);

/// The extra types the installed libvips can read: its loader is there and,
/// for HEIC and AVIF, libheif has a decoder for HEVC or AV1.
ExtraFormats ReadableExtraFormats();
