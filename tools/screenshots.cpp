// Takes the README's pictures of the windows on the offscreen platform: the
// main window holding a directory list, the Express settings dialog filled
// from the sample settings, the progress window in the middle of a run over
// copies of the sample pictures, and the "HTML" tab of the Advanced settings.
//
//   screenshots OUT_DIR SAMPLES_DIR
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

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

// Triggers `action`, lets `prepare` set up the modal window it shows, saves
// that to `path` and closes it.
bool SaveModal(QAction* action, const std::function<void(QWidget*)>& prepare, const QString& path) {
  bool ok = false;
  QTimer shown;
  shown.callOnTimeout([&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible()) return;
    shown.stop();
    prepare(dialog);
    ok = Save(dialog, path);
    dialog->close();
  });
  shown.start(0);
  action->trigger();
  return ok;
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

  auto* settings = window.findChild<QAction*>("mnuEdit");
  // The sample's Verdana is not on every machine: a font is chosen, as a person would.
  auto choose_font = [](QWidget* dialog) {
    dialog->findChild<QComboBox*>("cboFonts")->setCurrentText("DejaVu Sans");
  };
  ok &= SaveModal(settings, choose_font, out + "/express-settings.png");

  QTimer mid_run;  // the progress window once half of the thumbnails are made
  mid_run.callOnTimeout([&] {
    auto* bar = window.findChild<QProgressBar*>("pbProgress");
    if (!bar || bar->value() < bar->maximum() / 2) return;
    mid_run.stop();
    ok = Save(window.findChild<QDialog*>("frmProgress"), out + "/progress-window.png") && ok;
  });
  mid_run.start(0);
  QEventLoop run;
  QObject::connect(&window, &frmMain::RunEnded, &run, &QEventLoop::quit);
  window.findChild<QPushButton*>("cmdProcess")->click();
  run.exec();

  window.findChild<QAction*>("mnuModeAdv")->trigger();
  SetFileHook([&](const FileRequest&) { return samples + "/advanced.cfg"; });
  window.findChild<QAction*>("mnuLoad")->trigger();
  auto html_tab = [](QWidget* dialog) {
    dialog->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(2);
  };
  ok &= SaveModal(settings, html_tab, out + "/advanced-settings.png");
  return ok ? 0 : 1;
}
