// Reading a picture's EXIF, IPTC and XMP metadata with Exiv2: headers only,
// never the pixels.
#pragma once

#include <string>

#include "settings/photo_facts.h"

/// The facts the metadata of the picture at `path` gives. A picture without
/// metadata, with damaged metadata or of a type Exiv2 does not know gives
/// none: this never fails and never writes to the error output. Safe to call
/// from several threads at once.
PhotoFacts ReadPhotoFacts(const std::string& path);
