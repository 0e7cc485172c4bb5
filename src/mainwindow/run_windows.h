// The windows of one gallery run, which goes on a thread of its own: the
// progress window with STOP, the status button of the main window, the
// clean-up question and the closing report. The engine calls the RunHost
// methods on the run's thread; what they have to show is kept under a lock
// and shown by a queued call on the window's thread, STOP is a flag the run
// reads, and the clean-up question holds the run until the user answers.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "run/run_host.h"

class QWidget;
class frmDelList;
class frmProgress;

class RunWindows : public QObject, public RunHost {
 public:
  /// Windows owned by `main` (which owns this too) for a run over
  /// `directories` (the list as the window shows it); `status` is shown
  /// while pages are written; `ended` runs on the window's thread once the
  /// run has called End().
  RunWindows(QWidget* main, QWidget* status, std::vector<std::string> directories,
             std::function<void()> ended);
  ~RunWindows() override;

  // On the run's thread:
  void ShowProgress(const ProgressState& state) override;
  void HideProgress() override;
  /// Reads the STOP flag; never waits.
  bool PollStop() override;
  void SetStatusVisible(bool visible) override;
  /// Waits for the answer in frmDelList; after STOP, "keep" without asking.
  bool ConfirmDelete(const std::string& text) override;
  void ShowReport(const std::string& text) override;
  void Warn(const std::string& text) override;
  /// The run's last call.
  void End();

  // On the window's thread:
  /// STOP: the progress window goes at once, the run starts no new picture
  /// and an open clean-up question counts as answered "keep".
  void Stop();
  /// After the run: the report and the warnings in one frmWarnings, when
  /// there is anything to show.
  void ShowCollected();

 private:
  /// What the run asked to show and the window's thread has not shown yet.
  struct Pending {
    std::optional<ProgressState> progress;
    bool hide_progress = false;
    std::optional<bool> status_visible;
    std::optional<std::string> question;
    std::vector<std::string> warnings;
    std::optional<std::string> report;
    bool ended = false;
  };

  /// Runs `change` on what is pending and has it shown.
  void Post(const std::function<void(Pending*)>& change);
  /// Has ShowPending() run on the window's thread, unless it is queued
  /// already; with mutex_ held.
  void Queue();
  void ShowPending();
  void ShowProgressWindow(ProgressState state);
  void Ask(const QString& text);
  void Answer(bool confirmed);

  QWidget* main_;
  QWidget* status_;
  std::vector<std::string> directories_;
  std::function<void()> ended_;
  std::atomic<bool> stopped_ = false;      // STOP was pressed
  std::atomic<bool> stop_untold_ = false;  // ... and PollStop has not said so yet

  // The window's thread only.
  QPointer<frmProgress> progress_;
  QPointer<frmDelList> question_;  // while the user is asked
  std::string report_;
  std::vector<std::string> warnings_;

  std::mutex mutex_;  // guards what follows
  Pending pending_;
  bool queued_ = false;  // a ShowPending() is queued
  bool asking_ = false;  // the run waits for the clean-up question's answer
  bool answer_ = false;
  std::condition_variable answered_;
};
