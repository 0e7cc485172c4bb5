// The gallery run: thumbnails, old-page removal, pages and clean-up for every
// directory of the list, then one report.
#pragma once

#include <string>
#include <vector>

#include "engine/run_host.h"
#include "engine/run_report.h"
#include "settings/records.h"

/// What a run works on besides the mode's settings.
struct RunInput {
  std::vector<std::string> directories;  // the directory list, in order
  ThumbOptions thumbs;
  int workers = 0;  // thumbnail threads; 0: one per core
};

/// One run in Advanced mode over the whole list; `report` collects problems.
void RunAdvanced(const RunInput& input, const AdvancedSettings& settings, RunHost* host,
                 RunReport* report);

/// One run in Express mode over the whole list.
void RunExpress(const RunInput& input, const ExpressSettings& settings, RunHost* host,
                RunReport* report);

/// The Process command: clears `report`, then runs in the chosen mode.
void Process(bool advanced, const RunInput& input, const AdvancedSettings& advanced_settings,
             const ExpressSettings& express_settings, RunHost* host, RunReport* report);

/// `path` with every trailing "/" removed ("/" itself becomes "").
std::string StripTrailingSlashes(const std::string& path);

/// Deletes the files of `dir` that match the old-page extensions of the mode
/// and whose full path holds one of them. A file that cannot go is passed over.
void DeleteOldHtml(const std::string& dir, bool advanced);
