#include "mainwindow/run_windows.h"

#include <QApplication>

#include "mainwindow/frm_del_list.h"
#include "mainwindow/frm_progress.h"
#include "mainwindow/frm_warnings.h"
#include "settings/text.h"
#include "settings/utf8.h"

namespace {

// The engine ends lines with CR LF; a text box wants LF.
QString DisplayText(const std::string& text) {
  return QString::fromStdString(text).replace("\r\n", "\n");
}

}  // namespace

RunWindows::RunWindows(QWidget* main, QWidget* status, std::vector<std::string> directories,
                       std::function<void()> ended)
    : QObject(main),
      main_(main),
      status_(status),
      directories_(std::move(directories)),
      ended_(std::move(ended)) {}

RunWindows::~RunWindows() { delete progress_; }

// ---- The run's thread

void RunWindows::ShowProgress(const ProgressState& state) {
  Post([&](Pending* pending) {
    pending->progress = state;
    pending->hide_progress = false;
  });
}

void RunWindows::HideProgress() {
  Post([](Pending* pending) {
    pending->progress.reset();
    pending->hide_progress = true;
  });
}

bool RunWindows::PollStop() { return stop_untold_.exchange(false); }

void RunWindows::SetStatusVisible(bool visible) {
  Post([&](Pending* pending) { pending->status_visible = visible; });
}

bool RunWindows::ConfirmDelete(const std::string& text) {
  std::unique_lock lock(mutex_);
  if (stopped_) return false;
  pending_.question = text;
  asking_ = true;
  Queue();
  answered_.wait(lock, [this] { return !asking_; });
  return answer_;
}

void RunWindows::ShowReport(const std::string& text) {
  Post([&](Pending* pending) { pending->report = text; });
}

void RunWindows::Warn(const std::string& text) {
  Post([&](Pending* pending) { pending->warnings.push_back(text); });
}

void RunWindows::End() {
  Post([](Pending* pending) { pending->ended = true; });
}

void RunWindows::Post(const std::function<void(Pending*)>& change) {
  std::lock_guard lock(mutex_);
  change(&pending_);
  Queue();
}

void RunWindows::Queue() {
  if (std::exchange(queued_, true)) return;
  QMetaObject::invokeMethod(this, &RunWindows::ShowPending, Qt::QueuedConnection);
}

// ---- The window's thread

// The latest progress wins: a window thread that is busy skips the states
// it had no time to show.
void RunWindows::ShowPending() {
  Pending now;
  {
    std::lock_guard lock(mutex_);
    now = std::exchange(pending_, {});
    queued_ = false;
  }
  if (now.hide_progress && progress_) progress_->hide();
  if (now.progress) ShowProgressWindow(std::move(*now.progress));
  if (now.status_visible) status_->setVisible(*now.status_visible);
  for (std::string& warning : now.warnings) warnings_.push_back(std::move(warning));
  if (now.report) report_ = std::move(*now.report);
  if (now.question) Ask(DisplayText(*now.question));
  if (now.ended) ended_();
}

// The folder as the directory list shows it, trailing "/" and all.
void RunWindows::ShowProgressWindow(ProgressState state) {
  if (stopped_) return;
  state.dir_label = VisibleControls(ShortenText(directories_[state.dir_index], 36));
  if (!progress_) {
    progress_ = new frmProgress(main_);
    connect(progress_, &frmProgress::StopClicked, this, &RunWindows::Stop);
  }
  progress_->Show(state);
}

void RunWindows::Ask(const QString& text) {
  bool confirmed = false;
  if (!stopped_) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    frmDelList dialog(main_);
    question_ = &dialog;
    confirmed = dialog.Confirm(text);
    QApplication::restoreOverrideCursor();
  }
  Answer(confirmed);
}

void RunWindows::Answer(bool confirmed) {
  {
    std::lock_guard lock(mutex_);
    if (!asking_) return;
    asking_ = false;
    answer_ = confirmed;
  }
  answered_.notify_one();
}

void RunWindows::Stop() {
  stopped_ = true;
  stop_untold_ = true;
  if (progress_) progress_->hide();
  if (question_)
    question_->reject();
  else
    Answer(false);  // a question the window has not shown yet
}

void RunWindows::ShowCollected() {
  QString text = DisplayText(report_);
  if (!warnings_.empty()) {
    const QString sep = "---------------------\n";
    text += "Other problems:\n" + sep;
    for (const std::string& warning : warnings_) text += QString::fromStdString(warning) + "\n";
    text += sep;
  }
  if (!text.isEmpty()) frmWarnings(main_).Report(text);
}
