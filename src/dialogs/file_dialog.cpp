#include "dialogs/file_dialog.h"

#include <QFileDialog>

namespace {

FileHook& Hook() {
  static FileHook hook;
  return hook;
}

}  // namespace

QString AskForPath(QWidget* parent, const FileRequest& request) {
  if (Hook()) return Hook()(request);
  QFileDialog dialog(parent, request.title, QString(), request.filter);
  switch (request.kind) {
    case FileRequest::kOpen:
      dialog.setFileMode(QFileDialog::ExistingFile);
      break;
    case FileRequest::kSave:
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setDefaultSuffix(request.suffix);
      break;
    case FileRequest::kFolder:
      dialog.setFileMode(QFileDialog::Directory);
      dialog.setOption(QFileDialog::ShowDirsOnly);
      break;
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

void SetFileHook(FileHook hook) { Hook() = std::move(hook); }
