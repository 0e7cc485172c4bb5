#include "mainwindow/frm_warnings.h"

#include "ui_frm_warnings.h"

frmWarnings::frmWarnings(QWidget* owner)
    : QDialog(owner), ui_(std::make_unique<Ui::frmWarnings>()) {
  ui_->setupUi(this);
  connect(ui_->cmdOk, &QPushButton::clicked, this, &QDialog::accept);
}

frmWarnings::~frmWarnings() = default;

void frmWarnings::Report(const QString& text) {
  ui_->WarnText->setPlainText(text);
  exec();
}
