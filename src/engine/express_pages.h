// The fixed-HTML pages of Express mode.
#pragma once

#include <string>
#include <vector>

#include "engine/picture_list.h"
#include "settings/records.h"

/// "page1.html", "page2.html", ...
std::string ExpressPageFileName(int page);

/// Writes the index pages of `current_dir` (no trailing "/") for its listed
/// pictures, with the page menu and, when asked, one page per picture.
/// Returns false when an index page could not be written; pages written
/// before it stay. A picture page that cannot be written is skipped.
bool WriteExpressPages(const std::string& current_dir, const std::vector<PictureFile>& pictures,
                       const ExpressSettings& settings);
