#include "dialogs/frm_about.h"

#include <QStandardPaths>

#include "dialogs/desktop.h"
#include "dialogs/message_box.h"
#include "ui_frm_about.h"

namespace {

const char kSite[] = "https://kesto.example";
const char kEmail[] = "authors@kesto.example";

}  // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::frmAbout>()) {
  ui_->setupUi(this);
  ui_->lblVersion->setText(QString("Version ") + KESTO_VERSION);
  ui_->lblEmail->setText(QString("<a href=\"mailto:%1\">%1</a>").arg(kEmail));
  ui_->lblSite->setText(QString("<a href=\"%1\">%1</a>").arg(kSite));
  ui_->lblDisclaimer->setText(
      "Copyright (c) KESTO authors\n"
      "This program comes with no warranty of any kind. Its makers are not responsible for "
      "any loss of data or other damage to your system that comes from using it.");
  // The mail program opens the mailto: address, the browser the site.
  for (QLabel* label : {ui_->lblEmail, ui_->lblSite})
    connect(label, &QLabel::linkActivated, this,
            [](const QString& link) { OpenThroughDesktop(link.trimmed()); });
  connect(ui_->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

frmAbout::~frmAbout() = default;

void frmAbout::StartSysInfo() {
  for (const char* name : {"kinfocenter", "gnome-system-monitor", "hardinfo"}) {
    QString path = QStandardPaths::findExecutable(name);
    if (!path.isEmpty() && StartProgram(path)) return;
  }
  ShowMessage(this, {QMessageBox::NoIcon, "KESTO", "System Information Is Unavailable At This Time",
                     QMessageBox::Ok});
}
