// One page per picture, made from the user's template.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/picture_table.h"
#include "engine/run_report.h"
#include "settings/records.h"

/// The template of one directory, read once.
struct PageTemplate {
  bool in_use = false;  // UseTmpl is on and the file was found
  std::string text;
};

/// Reads TmplAddy when UseTmpl is on. Otherwise, or when the file is
/// missing, TemplateMissing becomes UseTmpl's state. Read errors pass.
PageTemplate LoadTemplate(const AdvancedSettings& settings, RunReport* report);

/// Picture `k` of the table, on the index page whose first picture is
/// `first`; previous and next links stay within that index page.
struct PicturePlace {
  size_t k = 0;
  size_t first = 0;
  int64_t per_page = 1;
};

/// The page text of a picture: the template with its tags replaced.
/// Throws TitleError for a title that cannot be cut.
std::string PicturePageText(const std::string& template_text,
                            const std::vector<PictureEntry>& table, PicturePlace place,
                            const AdvancedSettings& settings);

/// Writes the page of a picture into `dir` (always ".html"), passing over
/// every error. A page named `open_page`, the index page being written, is
/// left alone.
void WritePicturePage(const std::string& dir, const std::string& open_page,
                      const std::string& template_text, const std::vector<PictureEntry>& table,
                      PicturePlace place, const AdvancedSettings& settings);
