// The fixed-HTML pages of Express mode.
#pragma once

#include <string>
#include <vector>

#include "pages/page_output.h"
#include "pages/picture_list.h"
#include "settings/records.h"

/// Writes the index pages of `current_dir` (no trailing "/") for its listed
/// pictures, with the page menu and, when asked, one page per picture. Names
/// holding "_tn" are thumbnails and get no cell; with no other picture nothing
/// is written. Rows or columns below 1 count as 1.
/// Returns false when an index page could not be written: the pages stop
/// there, those written before stay. A picture page that cannot be written is
/// skipped, and one named like an index page of the gallery is never written;
/// `warnings` gets a sentence for each of these.
bool WriteExpressPages(const std::string& current_dir, const std::vector<PictureFile>& pictures,
                       const ExpressSettings& settings, PageWarnings* warnings);
