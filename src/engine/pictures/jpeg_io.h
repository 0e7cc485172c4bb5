// JPEG through libjpeg-turbo: scaled decoding for thumbnails, and encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "pictures/picture_read.h"
#include "pictures/raster.h"

/// The orientation tag (1..8) of an EXIF block (the TIFF data after
/// "Exif\0\0"); 1 when the block has none or is damaged.
int ExifOrientation(const uint8_t* data, size_t size);

/// Reads the JPEG open at `fd` (grey, YCbCr or RGB; others are kUnsupported),
/// decoding at the smallest 1/8 step that still covers every planned size
/// (at 1/8 a progressive file is decoded from its DC scans alone, jpeg_dc.h).
/// A file that ends before its last row is kFailed.
ReadStatus ReadJpeg(int fd, const SizePlan& plan, DecodedPicture* out, std::string* err);

/// The comment every thumbnail carries, by which the clean-up tells the
/// program's own thumbnails from the user's pictures.
inline constexpr std::string_view kThumbnailMark = "KESTO thumbnail";

/// True when the JPEG open at `fd` has a comment segment holding exactly
/// kThumbnailMark before its first scan, within its first 4 KiB (where the
/// program writes it).
bool HasThumbnailMark(int fd);

/// True when `name` in the folder open at `dir_fd` (or the path `name` with
/// AT_FDCWD) is a thumbnail the program wrote: a regular file, not a link,
/// that carries the mark. The program replaces and deletes no other file.
bool IsOwnThumbnail(int dir_fd, const std::string& name);

/// Encodes `raster` (1 or 3 bands) as JPEG at `quality` (1..100), progressive
/// when asked, with no metadata but kThumbnailMark.
bool EncodeJpeg(const Raster& raster, int quality, bool progressive, std::string* out,
                std::string* err);
