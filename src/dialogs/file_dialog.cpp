#include "dialogs/file_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

namespace {

FileHook& Hook() {
  static FileHook hook;
  return hook;
}

OptionHook& TheOptionHook() {
  static OptionHook hook;
  return hook;
}

void SetUp(QFileDialog* dialog, const FileRequest& request) {
  switch (request.kind) {
    case FileRequest::kOpen:
      dialog->setFileMode(QFileDialog::ExistingFile);
      break;
    case FileRequest::kSave:
      dialog->setAcceptMode(QFileDialog::AcceptSave);
      dialog->setDefaultSuffix(request.suffix);
      break;
    case FileRequest::kFolder:
      dialog->setFileMode(QFileDialog::Directory);
      dialog->setOption(QFileDialog::ShowDirsOnly);
      break;
  }
}

QString Chosen(QFileDialog* dialog) {
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return QString();
  return dialog->selectedFiles().first();
}

}  // namespace

QString AskForPath(QWidget* parent, const FileRequest& request) {
  if (Hook()) return Hook()(request);
  QFileDialog dialog(parent, request.title, request.folder, request.filter);
  SetUp(&dialog, request);
  return Chosen(&dialog);
}

QString AskForFolder(QWidget* parent, const QString& title, const QString& option, bool* checked) {
  *checked = false;
  FileRequest request{FileRequest::kFolder, title, {}, {}, {}};
  if (Hook()) {
    QString path = Hook()(request);
    *checked = !path.isEmpty() && TheOptionHook() && TheOptionHook()(option);
    return path;
  }
  QFileDialog dialog(parent, title);
  SetUp(&dialog, request);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* box = new QCheckBox(option, &dialog);
  box->setObjectName("chkOption");
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
    grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
  QString path = Chosen(&dialog);
  *checked = !path.isEmpty() && box->isChecked();
  return path;
}

void SetFileHook(FileHook hook) { Hook() = std::move(hook); }

void SetOptionHook(OptionHook hook) { TheOptionHook() = std::move(hook); }
