// A page writer that reaches down into the picture readers.
#include "pages/titles.h"
#include "pictures/raster.h"
