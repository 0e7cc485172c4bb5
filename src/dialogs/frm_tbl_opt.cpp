#include "dialogs/frm_tbl_opt.h"

#include "dialogs/field_checks.h"
#include "ui_frm_tbl_opt.h"

frmTblOpt::frmTblOpt(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::frmTblOpt>()) {
  ui_->setupUi(this);
  auto* checks = new FieldChecks(this, CheckedDialog::kTableOptions);
  checks->Exempt(ui_->cmdOptCancel);
  checks->WatchNumber(ui_->UDPadding, ui_->txtPadding);
  checks->WatchNumber(ui_->UDSpacing, ui_->txtSpacing);
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, [this, checks] {
    if (checks->PassFocused()) accept();
  });
  connect(ui_->cmdOptCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmTblOpt::~frmTblOpt() = default;
