// Takes the README's pictures of the windows on the offscreen platform: the
// main window holding a directory list, the Express settings dialog filled
// from the sample settings, and the progress window in the middle of a run
// over copies of the sample pictures.
//
//   screenshots OUT_DIR SAMPLES_DIR
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "dialogs/file_dialog.h"
#include "mainwindow/frm_main.h"

namespace {

// `copies` copies of every sample picture in `to`.
void CopyPictures(const QString& samples, const QString& to, int copies) {
  QDir().mkpath(to);
  for (int n = 0; n < copies; ++n)
    for (const QString& name : QDir(samples + "/pictures").entryList(QDir::Files))
      QFile::copy(samples + "/pictures/" + name, QString("%1/%2 %3").arg(to).arg(n).arg(name));
}

bool Save(QWidget* window, const QString& path) {
  bool saved = window->grab().save(path);
  std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
               qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: screenshots OUT_DIR SAMPLES_DIR\n");
    return 2;
  }
  QString out = argv[1], samples = argv[2];
  QTemporaryDir tmp(QDir::tempPath() + "/kesto-XXXXXX");
  CopyPictures(samples, tmp.filePath("Holiday 2024"), 12);
  frmMain window(tmp.filePath("state").toStdString());
  window.findChild<QAction*>("mnuModeExp")->trigger();
  SetFileHook([&](const FileRequest&) { return samples + "/express.cfe"; });
  window.findChild<QAction*>("mnuLoad")->trigger();
  auto* list = window.findChild<QComboBox*>("cboDirList");
  list->addItems({tmp.filePath("Holiday 2024") + "/", QDir::homePath() + "/Pictures/Garden/"});
  window.resize(window.sizeHint());
  window.show();
  bool ok = Save(&window, out + "/main-window.png");
  list->removeItem(1);

  QTimer settings;  // File > Settings, taken and closed once it shows
  settings.callOnTimeout([&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible()) return;
    settings.stop();
    // The sample's Verdana is not on every machine: a font is chosen, as a person would.
    dialog->findChild<QComboBox*>("cboFonts")->setCurrentText("DejaVu Sans");
    ok = Save(dialog, out + "/express-settings.png") && ok;
    dialog->close();
  });
  settings.start(0);
  window.findChild<QAction*>("mnuEdit")->trigger();

  QTimer mid_run;  // the progress window once half of the thumbnails are made
  mid_run.callOnTimeout([&] {
    auto* bar = window.findChild<QProgressBar*>("pbProgress");
    if (!bar || bar->value() < bar->maximum() / 2) return;
    mid_run.stop();
    ok = Save(window.findChild<QDialog*>("frmProgress"), out + "/progress-window.png") && ok;
  });
  mid_run.start(0);
  window.findChild<QPushButton*>("cmdProcess")->click();
  return ok ? 0 : 1;
}
