// The windows of one gallery run: the progress window with STOP, the status
// button of the main window, the clean-up question and the closing report.
#pragma once

#include <QPointer>
#include <string>
#include <vector>

#include "run/run_host.h"

class QWidget;
class frmProgress;

class RunWindows : public RunHost {
 public:
  /// Windows owned by `main`; `status` is shown while pages are written.
  RunWindows(QWidget* main, QWidget* status);
  ~RunWindows() override;

  void ShowProgress(const ProgressState& state) override;
  void HideProgress() override;
  /// Lets pending events run, so windows repaint and STOP is seen.
  bool PollStop() override;
  void SetStatusVisible(bool visible) override;
  bool ConfirmDelete(const std::string& text) override;
  /// Kept for ShowCollected().
  void ShowReport(const std::string& text) override;
  /// Kept for ShowCollected(), below the report.
  void Warn(const std::string& text) override;

  /// After the run: the report and the warnings in one frmWarnings, when
  /// there is anything to show.
  void ShowCollected();

 private:
  QWidget* main_;
  QWidget* status_;
  QPointer<frmProgress> progress_;
  bool stop_asked_ = false;  // STOP pressed and not yet told to the run
  bool stopped_ = false;     // STOP pressed: the progress window changes no more
  std::string report_;
  std::vector<std::string> warnings_;
};
