#include "dialogs/frm_rights.h"

#include <QTimer>

#include "ui_frm_rights.h"

frmRights::frmRights(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::frmRights>()) {
  ui_->setupUi(this);
  ui_->txtRights->installEventFilter(this);
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cmdOptCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmRights::~frmRights() = default;

bool frmRights::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->txtRights && event->type() == QEvent::FocusIn) {
    QLineEdit* box = ui_->txtRights;
    // After the box's own handling, which selects the text on a tab.
    QTimer::singleShot(0, box, [box] {
      box->deselect();
      box->end(false);
    });
  }
  return QDialog::eventFilter(watched, event);
}
