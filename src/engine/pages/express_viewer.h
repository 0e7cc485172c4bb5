// The picture viewer of Express index pages (ExpressLinkTarget "viewer"): a
// script and a style sheet of the program's own, written into every index
// page with the gallery's pictures as the script reads them. Without the
// script a thumbnail stays a plain link.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pages/express_gallery.h"

/// True when thumbnails open their picture in the viewer.
bool UsesViewer(const ExpressSettings& settings);

/// A name as the viewer knows it: every byte but letters, digits and "-_.~"
/// as %XX (upper-case hex). It is the picture's relative address and the
/// fragment that names it ("page2.html#O%27Brien.jpg"), and it can end no
/// string, attribute or tag.
std::string ViewerKey(std::string_view name);

/// The gallery's pictures as a JSON array, one [key, title, index page]
/// per entry; the title is the one shown under the thumbnail (or the file
/// name), broken bytes as U+FFFD. < > & are written as \u003c \u003e \u0026,
/// so no title can end the script element that carries the array.
std::string ViewerPictures(const std::vector<Entry>& entries, const Look& look, int64_t per_page);

/// The style sheet element for the HEAD of an index page.
std::string ViewerStyleElement();

/// Writes the lines before </BODY> of index page `page`: the pictures (as
/// ViewerPictures() gave them) and the script.
void WriteViewer(std::string* out, const std::string& pictures, int page);
