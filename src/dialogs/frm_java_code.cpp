#include "dialogs/frm_java_code.h"

#include "dialogs/code_boxes.h"
#include "forms/dialog_rules.h"
#include "ui_frm_java_code.h"

frmJavaCode::frmJavaCode(const QString& code, QWidget* owner)
    : QDialog(owner), ui_(std::make_unique<Ui::frmJavaCode>()) {
  ui_->setupUi(this);
  SetUpCodeBoxes(this);
  ui_->txtJavaCode->setPlainText(code);
  connect(ui_->cmdJavaCodeOk, &QPushButton::clicked, this, [this] {
    ui_->txtJavaCode->setPlainText(QString::fromStdString(OneLine(this->code().toStdString())));
    accept();
  });
  connect(ui_->cmdJaavaCodeCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmJavaCode::~frmJavaCode() = default;

QString frmJavaCode::code() const { return ui_->txtJavaCode->toPlainText(); }
