#include "dialogs/frm_link_inact.h"

#include "dialogs/code_boxes.h"
#include "dialogs/colour_box.h"
#include "dialogs/options_context.h"
#include "dialogs/tag_palette.h"
#include "ui_frm_link_inact.h"

frmLinkInact::frmLinkInact(const InactiveLink& link, EditorMemory* editors, QWidget* owner)
    : QDialog(owner), ui_(std::make_unique<Ui::frmLinkInact>()) {
  ui_->setupUi(this);
  SetUpCodeBoxes(this);
  ui_->txtLinkInact->setPlainText(link.code);
  ui_->chkLinkInact->setChecked(link.custom);
  ui_->chkInactAuto->setChecked(link.automatic);
  // Checking one unchecks the other; both may be off.
  connect(ui_->chkLinkInact, &QCheckBox::clicked, this, [this](bool on) {
    ui_->chkInactAuto->setChecked(ui_->chkInactAuto->isChecked() && !on);
  });
  connect(ui_->chkInactAuto, &QCheckBox::clicked, this, [this](bool on) {
    ui_->chkLinkInact->setChecked(ui_->chkLinkInact->isChecked() && !on);
  });
  ConnectColourBox(this, editors);
  editors->target.WatchCodeBox(ui_->txtLinkInact);
  for (QWidget* control : std::initializer_list<QWidget*>{
           ui_->chkLinkInact, ui_->chkInactAuto, ui_->Command4, ui_->cmdOptOk, ui_->cmdOptCancel})
    editors->target.WatchDisarming(control);
  connect(ui_->Command4, &QPushButton::clicked, this,
          [this] { ShowTagPalette(Palette::kMenuCell, this); });
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cmdOptCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmLinkInact::~frmLinkInact() = default;

InactiveLink frmLinkInact::link() const {
  return {ui_->txtLinkInact->toPlainText(), ui_->chkLinkInact->isChecked(),
          ui_->chkInactAuto->isChecked()};
}
