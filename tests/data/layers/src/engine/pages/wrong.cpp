// A page writer that reaches down into the picture readers and up into the
// dialogs' model.
#include "forms/dialog_rules.h"
#include "pages/titles.h"
#include "pictures/raster.h"
