// The file names of index pages, in both modes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/records.h"

/// The extensions of the old pages a mode deletes before writing its pages:
/// all eight of kPageExtensions in Advanced mode, ".html", ".htm" and ".shtml" in Express mode.
std::span<const std::string_view> OldPageExtensions(bool advanced);

/// Express thumbnails: "thumbs/sunset_tn.jpg" for "sunset.gif", and the one at
/// twice the size for sharp screens "thumbs/sunset_tn@2x.jpg".
inline constexpr char kExpressThumbFolder[] = "thumbs";
inline constexpr char kExpressAffix[] = "_tn";
inline constexpr char kDoubleMark[] = "@2x";

/// The page a web server shows for the folder itself.
inline constexpr char kLandingPageName[] = "index.html";

/// True for kLandingPageName in any letter case ("INDEX.html"): no picture
/// page of that name is written ("index.jpg" would take the folder's landing
/// page); links to that picture lead to the picture itself instead.
bool IsLandingPage(std::string_view page_name);

/// Why the picture page `page_name` of the picture `dir`/`picture` is not
/// written, or "" when it may be: it would replace the landing page, or an
/// index page when `index_page`.
std::string PicturePageClash(const std::string& dir, const std::string& picture,
                             const std::string& page_name, bool index_page);

/// "page1.html", "page2.html", ...
std::string ExpressPageFileName(int page);

/// Index page file name for a page number: PageFileName and the number
/// zero-padded to Units digits (at most 255), in the order AsPrefix says,
/// with the extension HTMLExt chooses (anything but "0" to "7": ".html").
/// Page 3 with "index", two digits and HTMLExt "0" is "index03.html".
std::string MakePageFileName(int number, const AdvancedSettings& settings);

/// The file number of page position `position` (1, 2, ...) when the first
/// page's file is numbered `start_at`; it may leave 16 bits.
inline int64_t PositionFileNumber(int start_at, int64_t position) {
  return int64_t{start_at} - 1 + position;
}

/// The file name of page position `position`. Throws PageError when its file
/// number leaves 16 bits.
std::string PositionFileName(int start_at, int64_t position, const AdvancedSettings& settings);
