#include "mainwindow/frm_progress.h"

#include "ui_frm_progress.h"

frmProgress::frmProgress(QWidget* owner)
    : QDialog(owner), ui_(std::make_unique<Ui::frmProgress>()) {
  ui_->setupUi(this);
  connect(ui_->cmdCancelProgress, &QPushButton::clicked, this, &frmProgress::StopClicked);
  connect(this, &QDialog::rejected, this, &frmProgress::StopClicked);  // closed or Escape
}

frmProgress::~frmProgress() = default;

void frmProgress::Show(const ProgressState& state) {
  ui_->pbProgress->setRange(0, static_cast<int>(state.maximum));
  ui_->pbProgress->setValue(static_cast<int>(state.value));
  ui_->lblProgressDir->setText(QString::fromStdString(state.dir_label));
  ui_->lblProgress->setText(QString::fromStdString(state.status_label));
  ui_->lblProgress2->setText(QString::fromStdString(state.file_label));
  ui_->lblSize->setText(QString::fromStdString(state.size_label));
  if (!isVisible()) show();
}
