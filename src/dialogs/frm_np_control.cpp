#include "dialogs/frm_np_control.h"

#include <utility>

#include "dialogs/code_boxes.h"
#include "dialogs/form_binding.h"
#include "pages/tags.h"
#include "ui_frm_np_control.h"

frmNPControl::frmNPControl(Form form, AdvancedSettings* record, CommittedFlags* flags,
                           QWidget* owner)
    : QDialog(owner),
      ui_(std::make_unique<Ui::frmNPControl>()),
      form_(std::move(form)),
      record_(record),
      flags_(flags) {
  ui_->setupUi(this);
  SetUpCodeBoxes(this);
  QStringList tags(std::begin(kPrevThumbCodeTags), std::end(kPrevThumbCodeTags));
  tags.append(QStringList(std::begin(kNextThumbCodeTags), std::end(kNextThumbCodeTags)));
  AddTagRows(ui_->fraTags, tags, {});
  ShowControls(form_, this);
  connect(ui_->Command5, &QPushButton::clicked, this, &frmNPControl::Commit);
  connect(ui_->Command10, &QPushButton::clicked, this, &QDialog::reject);
  if (owner) {
    adjustSize();
    move(owner->geometry().center() - rect().center());
  }
}

frmNPControl::~frmNPControl() = default;

void frmNPControl::Commit() {
  ReadControls(this, &form_);
  CommitThumbCodes(form_, record_, flags_);
  accept();
}
