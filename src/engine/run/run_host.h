// The one interface through which a gallery run talks to whoever runs it: the
// desktop windows or the terminal. Every call comes on the thread that runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// What the progress display shows.
struct ProgressState {
  size_t dir_index = 0;      // 0-based position of the directory in the list
  size_t dir_count = 0;      // entries of the directory list
  int64_t value = 1;         // the bar: 1, then +1 per thumbnail made
  int64_t maximum = 1;       // 1 + the thumbnails due in this directory
  std::string dir_label;     // the directory, shortened to 36 characters
  std::string status_label;  // "Processing Directory 2 of 5" or "Processing Directory..."
  std::string file_label;    // the picture being made, shortened to 28 characters
  std::string size_label;    // its size: "998 Kb", "1.5 MB"
};

class RunHost {
 public:
  virtual ~RunHost() = default;
  /// The progress display changed; shown once a directory has thumbnails due.
  virtual void ShowProgress(const ProgressState& state) = 0;
  /// The run ended or was stopped: the progress display goes.
  virtual void HideProgress() = 0;
  /// True when STOP has been asked, once per STOP. A host whose windows share
  /// the run's thread lets their pending events run here.
  virtual bool PollStop() = 0;
  /// The "working" indicator shown while a directory's pages are written.
  virtual void SetStatusVisible(bool visible) = 0;
  /// Shows the list of orphan thumbnails; true when the user confirms deletion.
  virtual bool ConfirmDelete(const std::string& text) = 0;
  /// Shows the run report (only called when there is something to report).
  virtual void ShowReport(const std::string& text) = 0;
  /// Tells of a problem the report has no place for, as it happens: a folder
  /// or page that could not be written, why a picture gave no thumbnail.
  virtual void Warn(const std::string& text) = 0;
};
