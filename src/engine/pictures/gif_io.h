// GIF pictures through giflib: the first frame, read with bounded memory.
#pragma once

#include <string>

#include "pictures/picture_read.h"

/// Reads the first frame of the GIF open at `fd` on its canvas (the logical
/// screen). Transparent pixels and the canvas around the frame are black. A
/// file that ends inside the frame is kFailed.
ReadStatus ReadGif(int fd, const SizePlan& plan, DecodedPicture* out, std::string* err);
