// Embedded colour profiles: pictures are shown as sRGB.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/raster.h"

/// Converts `raster` from the colour profile `icc` to sRGB (relative
/// colorimetric); a grey picture with a grey profile becomes RGB. An empty,
/// damaged or unfitting profile leaves the pixels as they are.
void ConvertToSrgb(const std::vector<uint8_t>& icc, Raster* raster);
