#include "run/picture_facts.h"

#include "pictures/vips_io.h"

ExtraFormats ReadablePictureTypes() { return ReadableExtraFormats(); }
