// The index pages of Advanced mode, built from the user's own code.
#pragma once

#include <string>
#include <vector>

#include "engine/picture_list.h"
#include "engine/run_report.h"
#include "settings/records.h"

/// Index page file name for a page number: "page_03.html" and the like.
std::string MakePageFileName(int number, const AdvancedSettings& settings);

/// Writes the index pages of `current_dir` (no trailing "/") for its listed
/// pictures, with page menus, row snippets and, with a template, one page per
/// picture. Missing header, footer, template and snippet files are noted in
/// `report`. An error while writing ends this directory's pages where it
/// happened; the pages written before it stay.
void WriteAdvancedPages(const std::string& current_dir, const std::vector<PictureFile>& pictures,
                        const AdvancedSettings& settings, RunReport* report);
