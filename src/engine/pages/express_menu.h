// The page menu of Express index pages: a link to every page, the current
// one as its bare number, then the previous and next page.
#pragma once

#include <string>

#include "pages/express_gallery.h"

/// The link lines of `pages` pages, made once: every page shows them all.
MenuLinks MakeMenuLinks(int pages, const Look& look);

/// Writes the menu of page `current` (1 to g.pages).
void WriteExpressMenu(std::string* out, const ExpressGallery& g, int current);
