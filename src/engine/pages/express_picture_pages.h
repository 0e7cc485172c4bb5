// The page of one picture in Express mode, written right after its cell.
#pragma once

#include <cstddef>
#include <string>

#include "pages/express_gallery.h"

/// The page of entry `k`, on the index page whose first entry is `first`:
/// the picture, its neighbours on that index page and the way back.
std::string PicturePageText(const ExpressGallery& g, size_t first, size_t k);

/// Writes the page of entry `k`. A page that cannot be written is left out
/// with a warning; one named like an index page of the gallery or like the
/// landing page is never written, with a warning too.
void WritePicturePage(const ExpressGallery& g, size_t first, size_t k);
