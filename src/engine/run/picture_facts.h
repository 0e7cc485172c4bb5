// What the front ends know of pictures: they see the picture layer only
// through this header. The largest thumbnail side and how the resize method
// is read come from the thumbnail maker; the extra types from libvips.
#pragma once

#include "pictures/thumb_size.h"
#include "settings/picture_formats.h"

/// The extra picture types the installed libvips can read: its loader is
/// there and, for HEIC and AVIF, libheif has a decoder for HEVC or AV1.
ExtraFormats ReadablePictureTypes();
