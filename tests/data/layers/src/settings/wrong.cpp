// The settings reaching up into the dialogs' model.
#include "forms/form_model.h"
