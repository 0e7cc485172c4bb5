#include "mainwindow/frm_del_list.h"

#include "ui_frm_del_list.h"

frmDelList::frmDelList(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::frmDelList>()) {
  ui_->setupUi(this);
  connect(ui_->Command1, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->Command2, &QPushButton::clicked, this, &QDialog::reject);
}

frmDelList::~frmDelList() = default;

bool frmDelList::Confirm(const QString& text) {
  ui_->txtDelList->setPlainText(text);
  adjustSize();
  QRect owner = parentWidget()->frameGeometry();
  move(owner.center() - QPoint(width() / 2, height() / 2));
  ui_->Command2->setFocus();  // Enter keeps the files
  return exec() == QDialog::Accepted;
}
