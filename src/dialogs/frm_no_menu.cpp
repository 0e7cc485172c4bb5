#include "dialogs/frm_no_menu.h"

#include "dialogs/code_boxes.h"
#include "ui_frm_no_menu.h"

frmNoMenu::frmNoMenu(const QString& code, QWidget* owner)
    : QDialog(owner), ui_(std::make_unique<Ui::frmNoMenu>()) {
  ui_->setupUi(this);
  SetUpCodeBoxes(this);
  ui_->txtNoMenu->setPlainText(code);
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cmdOptCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmNoMenu::~frmNoMenu() = default;

QString frmNoMenu::code() const { return ui_->txtNoMenu->toPlainText(); }
