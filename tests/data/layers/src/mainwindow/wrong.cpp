// A window reaching past run/ into the pictures.
#include "forms/session.h"
#include "pictures/thumb_size.h"
