// The pixel size a JPEG file declares in its frame header, read without
// decoding the picture: what an index page needs to reserve a thumbnail's room.
#pragma once

#include <string>
#include <string_view>

struct PixelSize {
  int width = 0;  // both 0 when unknown
  int height = 0;
};

/// The size of the frame header in `bytes`, the start of a JPEG file. Text
/// that is no JPEG, or ends before its frame header, gives {0, 0}.
PixelSize ParseJpegSize(std::string_view bytes);

/// The size of the JPEG file at `path`; {0, 0} when it cannot be read.
PixelSize JpegSize(const std::string& path);
