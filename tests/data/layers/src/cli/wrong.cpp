// kesto-cli reaching into the dialogs' model and past run/ into the pictures.
#include "forms/session.h"
#include "pictures/vips_io.h"
#include "run/picture_facts.h"
