// JPEG through libjpeg-turbo: scaled decoding for thumbnails, and encoding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/picture_read.h"
#include "engine/raster.h"

/// The orientation tag (1..8) of an EXIF block (the TIFF data after
/// "Exif\0\0"); 1 when the block has none or is damaged.
int ExifOrientation(const uint8_t* data, size_t size);

/// Reads the JPEG open at `fd` (grey, YCbCr or RGB; others are kUnsupported),
/// decoding at the smallest 1/8 step that is still at least the planned size
/// (at 1/8 a progressive file is decoded from its DC scans alone, jpeg_dc.h).
/// A file that ends before its last row is kFailed.
ReadStatus ReadJpeg(int fd, const SizePlan& plan, DecodedPicture* out, std::string* err);

/// Encodes `raster` (1 or 3 bands) as JPEG at `quality` (1..100), progressive
/// when asked, with no metadata.
bool EncodeJpeg(const Raster& raster, int quality, bool progressive, std::string* out,
                std::string* err);
