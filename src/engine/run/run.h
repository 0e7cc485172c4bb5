// The gallery run: thumbnails, old-page removal, pages and clean-up for every
// directory of the list, then one report.
#pragma once

#include <string>
#include <vector>

#include "pages/run_report.h"
#include "run/run_host.h"
#include "settings/picture_formats.h"
#include "settings/records.h"

/// What a run works on besides the mode's settings.
struct RunInput {
  std::vector<std::string> directories;  // the directory list, in order
  ThumbOptions thumbs;
  int workers = 0;       // thumbnail threads; 0: one per core
  ExtraFormats formats;  // picture types taken besides JPEG, GIF and BMP
  // The pages in the order the pictures were taken (undated ones last, by
  // name) instead of by name; thumbnails are made and named as ever.
  bool sort_by_date = false;
};

/// One run in Advanced mode over the whole list; `report` collects problems.
void RunAdvanced(const RunInput& input, const AdvancedSettings& settings, RunHost* host,
                 RunReport* report);

/// One run in Express mode over the whole list.
void RunExpress(const RunInput& input, const ExpressSettings& settings, RunHost* host,
                RunReport* report);

/// Why the thumbnail options cannot start a run, naming the field, or "":
/// the box the resize method reads (both boxes for "Both") must round to a
/// side from 1 to 32767 pixels.
std::string ThumbSizeError(const ThumbOptions& thumbs);

/// Why the Advanced thumbnail folder cannot start a run, naming the field, or
/// "": with StoreInSub on, SubFolderName must be one plain folder name (not
/// empty after trimming, not "." or "..", no "/"), so that the clean-up never
/// takes the pictures, or another folder's thumbnails, for its own.
std::string SubfolderError(const AdvancedSettings& settings);

/// ThumbSizeError(), then in Advanced mode SubfolderError().
std::string RunSettingsError(bool advanced, const AdvancedSettings& settings,
                             const ThumbOptions& thumbs);

/// The Process command: clears `report`, then runs in the chosen mode. With
/// settings that RunSettingsError() refuses nothing runs and the host is
/// warned; front ends check first and say so in their own way.
void Process(bool advanced, const RunInput& input, const AdvancedSettings& advanced_settings,
             const ExpressSettings& express_settings, RunHost* host, RunReport* report);

/// `path` made full from the working folder and normalised, so that page titles
/// name the folder and the old-page test sees the whole path; `path` itself when
/// the working folder is gone.
std::string FullPath(const std::string& path);

/// `path` with every trailing "/" removed ("/" itself becomes "").
std::string StripTrailingSlashes(const std::string& path);

/// Deletes the files of `dir` that match the old-page extensions of the mode
/// and whose full path holds one of them. A file that cannot go stays, and
/// `host` is warned.
void DeleteOldHtml(const std::string& dir, bool advanced, RunHost* host);
