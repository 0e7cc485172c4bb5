// The index pages of Advanced mode, built from the user's own code.
#pragma once

#include <string>
#include <vector>

#include "engine/page_output.h"
#include "engine/picture_list.h"
#include "engine/run_report.h"
#include "settings/records.h"

/// Index page file name for a page number: PageFileName and the number
/// zero-padded to Units digits (at most 255), in the order AsPrefix says,
/// with the extension HTMLExt chooses ("0" to "7"; anything else ".html").
/// Page 3 with "index", two digits and HTMLExt "0" is "index03.html".
std::string MakePageFileName(int number, const AdvancedSettings& settings);

/// Writes the index pages of `current_dir` (no trailing "/") for its listed
/// pictures, with page menus, row snippets and, with a template, one page per
/// picture. Missing header, footer, template and snippet files are noted in
/// `report`. A Rows or Cols value below 1 counts as 1. An error while writing
/// ends this directory's pages where it happened, the page being written
/// keeping its text so far: a page that cannot be written, a title that
/// cannot be cut, a page number or count beyond 16 bits. That, a user file
/// that cannot be used and a picture page left out get a sentence each in
/// `warnings`.
void WriteAdvancedPages(const std::string& current_dir, const std::vector<PictureFile>& pictures,
                        const AdvancedSettings& settings, RunReport* report,
                        PageWarnings* warnings);
