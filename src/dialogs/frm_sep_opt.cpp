#include "dialogs/frm_sep_opt.h"

#include "ui_frm_sep_opt.h"

frmSepOpt::frmSepOpt(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::frmSepOpt>()) {
  ui_->setupUi(this);
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cmdOptCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmSepOpt::~frmSepOpt() = default;
