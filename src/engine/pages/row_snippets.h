// Code snippet files written between the table rows of Advanced index pages.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "pages/page_output.h"
#include "pages/run_report.h"
#include "settings/records.h"

/// The snippets of one directory: which files go after which row, and the
/// files themselves, each read once on first use.
struct RowSnippets {
  std::map<int64_t, std::vector<std::string>> paths_by_row;  // in SnippletRows order
  std::map<std::string, UserFile> files;
  PageWarnings* warnings = nullptr;  // told of a file that cannot be used, once
};

/// Reads SnippletRows ("2,5") and SnippletFiles ("path?1^^$$^^..."): a row
/// number takes the path of the last item whose index + 1 equals it; a
/// number without such an item, and an item without "?", register nothing.
RowSnippets ParseRowSnippets(const AdvancedSettings& settings, PageWarnings* warnings);

/// Writes the snippets registered for `row`, each with the table closed
/// before it and reopened after it when asked. A missing file is added to
/// MissingSnippets unless that text already contains its path; a file that
/// cannot be used (a folder, more than 16 MiB) is left out with a warning.
void InsertRowSnippets(int64_t row, bool reopen_table, bool close_table,
                       const AdvancedSettings& settings, RowSnippets* snippets, RunReport* report,
                       PageText* out);
