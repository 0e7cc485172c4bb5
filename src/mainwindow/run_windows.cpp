#include "mainwindow/run_windows.h"

#include <QApplication>

#include "mainwindow/frm_del_list.h"
#include "mainwindow/frm_progress.h"
#include "mainwindow/frm_warnings.h"

namespace {

// The engine ends lines with CR LF; a text box wants LF.
QString DisplayText(const std::string& text) {
  return QString::fromStdString(text).replace("\r\n", "\n");
}

}  // namespace

RunWindows::RunWindows(QWidget* main, QWidget* status) : main_(main), status_(status) {}

RunWindows::~RunWindows() { delete progress_; }

void RunWindows::ShowProgress(const ProgressState& state) {
  if (stopped_) return;
  if (!progress_) {
    progress_ = new frmProgress(main_);
    // The window stays until the run ends (within a picture): hiding it here
    // would keep the run from hearing of STOP while the hiding is handled.
    QObject::connect(progress_, &frmProgress::StopClicked, progress_,
                     [this] { stop_asked_ = stopped_ = true; });
  }
  progress_->Show(state);
}

void RunWindows::HideProgress() {
  if (progress_) progress_->hide();
}

bool RunWindows::PollStop() {
  QApplication::processEvents();
  bool asked = stop_asked_;
  stop_asked_ = false;
  return asked;
}

void RunWindows::SetStatusVisible(bool visible) { status_->setVisible(visible); }

bool RunWindows::ConfirmDelete(const std::string& text) {
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  bool confirmed = frmDelList(main_).Confirm(DisplayText(text));
  QApplication::restoreOverrideCursor();
  return confirmed;
}

void RunWindows::ShowReport(const std::string& text) { report_ = text; }

void RunWindows::Warn(const std::string& text) { warnings_.push_back(text); }

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
