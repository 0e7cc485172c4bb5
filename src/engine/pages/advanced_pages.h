// The index pages of Advanced mode, built from the user's own code.
#pragma once

#include <string>
#include <vector>

#include "pages/page_output.h"
#include "pages/picture_list.h"
#include "pages/run_report.h"
#include "settings/records.h"

/// Writes the index pages of `current_dir` (no trailing "/") for its listed
/// pictures, with page menus, row snippets and, with a template, one page per
/// picture. Missing header, footer, template and snippet files are noted in
/// `report`. A Rows or Cols value below 1 counts as 1. An error while writing
/// ends this directory's pages where it happened, the page being written
/// keeping its text so far: a page that cannot be written, a title that
/// cannot be cut, a page number or count beyond 16 bits; false then. That, a
/// user file that cannot be used and a picture page left out get a sentence
/// each in `warnings`.
bool WriteAdvancedPages(const std::string& current_dir, const std::vector<PictureFile>& pictures,
                        const AdvancedSettings& settings, RunReport* report,
                        PageWarnings* warnings);
