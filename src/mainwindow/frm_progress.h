// The progress window of a run: the bar, what is being made, and STOP.
#pragma once

#include <QDialog>
#include <memory>

#include "run/run_host.h"

namespace Ui {
class frmProgress;
}

class frmProgress : public QDialog {
  Q_OBJECT

 public:
  /// A window that stays over `owner`; not modal.
  explicit frmProgress(QWidget* owner);
  ~frmProgress() override;

  /// Shows the bar and labels of `state`.
  void Show(const ProgressState& state);

 signals:
  /// STOP was pressed or the window closed.
  void StopClicked();

 private:
  std::unique_ptr<Ui::frmProgress> ui_;
};
