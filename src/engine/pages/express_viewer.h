// The picture viewer of Express index pages (ExpressLinkTarget "viewer"): a
// script of the program's own in one file per gallery folder,
// kesto-viewer.js, with the gallery's pictures as the script reads them, and
// a small style sheet in each index page. Without the script a thumbnail
// stays a plain link.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pages/express_gallery.h"

inline constexpr char kViewerFile[] = "kesto-viewer.js";
/// How kesto-viewer.js starts: the mark of a file the program may replace.
inline constexpr std::string_view kViewerMark = "/* KESTO viewer, made for this gallery */\n";

/// True when thumbnails open their picture in the viewer.
bool UsesViewer(const ExpressSettings& settings);

/// A name as the viewer knows it: every byte but letters, digits and "-_.~"
/// as %XX (upper-case hex). It is the picture's relative address and the
/// fragment that names it ("page2.html#O%27Brien.jpg"), and it can end no
/// string, attribute or tag.
std::string ViewerKey(std::string_view name);

/// The gallery's pictures as a JSON array, one [key, title, index page]
/// per entry; the title is the one shown under the thumbnail (or the file
/// name), then on lines of their own the date and caption the pages show,
/// broken bytes as U+FFFD. < > & are written as \u003c \u003e \u0026,
/// so no title can end a script element, wherever the array is put.
std::string ViewerPictures(const std::vector<Entry>& entries, const Look& look, int64_t per_page);

/// The text of kesto-viewer.js: the mark, the pictures, the script.
std::string ViewerFileText(const std::string& pictures);

/// Puts kesto-viewer.js with `pictures` into `dir`, as pages are written.
/// A file already at its path is replaced only when it is a regular file that
/// starts with kViewerMark; anything else there (the user's own file, a link,
/// a folder) stays as it is. False then, or when the file cannot be written:
/// `warnings` gets a sentence naming it, and the pages do without the viewer.
bool WriteViewerFile(const std::string& dir, const std::string& pictures, PageWarnings* warnings);

/// The style sheet element for the HEAD of an index page.
std::string ViewerStyleElement();

/// The line before </BODY> of index page `page`: the script element.
void WriteViewer(std::string* out, int page);
