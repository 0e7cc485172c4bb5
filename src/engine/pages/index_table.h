// The thumbnail table of an Advanced index page: opening, cells and closing.
#pragma once

#include <string>

#include "pages/page_output.h"
#include "pages/picture_table.h"
#include "settings/records.h"

/// TableTag, inside a centred division when CenterTable is on.
void OpenTable(const AdvancedSettings& settings, PageText* out);

/// The cell of `picture`: CellCode (JavaCell with UseJava) with its tags
/// replaced. With a template in use "[IMAGE FILE NAME]" is the picture's
/// page. `thumb_path` is ThumbPathTag(). Throws PageError for a title that
/// cannot be cut as the settings ask.
std::string CellText(const PictureEntry& picture, bool template_in_use,
                     const std::string& thumb_path, const AdvancedSettings& settings);

/// TableClose when UseTableClose is not 0, else "</TABLE>"; with
/// CenterTable on followed by the closing division.
void CloseTable(const AdvancedSettings& settings, PageText* out);
