// One page per picture, made from the user's template.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "pages/page_output.h"
#include "pages/picture_table.h"
#include "pages/run_report.h"
#include "settings/records.h"

/// The template of one directory, read once.
struct PageTemplate {
  bool in_use = false;  // UseTmpl is on and the file was found
  std::string text;
};

/// Reads TmplAddy when UseTmpl is on. A missing file sets TemplateMissing
/// (to UseTmpl's state when there is none); a file that cannot be used (a
/// folder, more than 16 MiB) is not in use and gets a warning instead.
PageTemplate LoadTemplate(const AdvancedSettings& settings, RunReport* report,
                          PageWarnings* warnings);

/// Picture `k` of the table, on the index page whose first picture is
/// `first`; previous and next links stay within that index page.
struct PicturePlace {
  size_t k = 0;
  size_t first = 0;
  int64_t per_page = 1;
};

/// The page text of a picture: the template with its tags replaced.
/// Throws PageError for a title that cannot be cut.
std::string PicturePageText(const std::string& template_text,
                            const std::vector<PictureEntry>& table, PicturePlace place,
                            const AdvancedSettings& settings);

/// What the picture pages of one directory share.
struct PicturePageSet {
  const std::string& dir;
  const std::string& template_text;
  const std::vector<PictureEntry>& table;
  const std::set<std::string>& index_pages;  // never replaced by a picture page
  PageWarnings* warnings;
};

/// Writes the page of a picture into `dir` (always ".html"). A page that
/// cannot be made or written, or whose name is one of the index pages or
/// the landing page, is left out with a warning.
void WritePicturePage(const PicturePageSet& set, PicturePlace place,
                      const AdvancedSettings& settings);
