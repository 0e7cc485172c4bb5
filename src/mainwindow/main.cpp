// kesto: the desktop application.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <clocale>
#include <cstdio>

#include "dialogs/message_box.h"
#include "mainwindow/close_on_signal.h"
#include "mainwindow/frm_main.h"
#include "settings/program_state.h"

namespace {

// The state folder: --state-dir, else $KESTO_STATE_DIR, else the user's
// settings folder, or the program's folder when it runs from its build tree;
// the shipped "nd.ini" and "default.tpl" beside the program (../share/kesto/)
// are copied in where the folder has none. The build tree lays out its data
// folder as an installation does and marks it with a file "build-tree".
bool FindStateFolder(const QString& named, std::string* folder, std::string* err) {
  QString program = QCoreApplication::applicationDirPath();
  QString data = QDir(program).filePath("../share/kesto");
  StateFolderInputs inputs;
  inputs.program_folder = program.toStdString();
  inputs.xdg_config_home = qEnvironmentVariable("XDG_CONFIG_HOME").toStdString();
  inputs.home = QDir::homePath().toStdString();
  inputs.data_folder = data.toStdString();
  inputs.named_folder = named.toStdString();
  inputs.installed = QFileInfo(data).isDir() && !QFileInfo::exists(data + "/build-tree");
  return PrepareStateFolder(inputs, folder, err);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // numbers in pages as kesto-cli writes them
  QApplication::setApplicationName("kesto");
  QApplication::setApplicationVersion(KESTO_VERSION);
  QCommandLineParser parser;
  parser.setApplicationDescription("KESTO: turns folders of pictures into HTML galleries");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption({"state-dir", "The folder of nd.ini and the autosaves.", "DIR"});
  parser.process(app);
  std::string folder, err;
  // A session that ends saves the state as a close does; where it cannot,
  // the terminal is told (a message box would stop every start for it).
  if (!CloseOnSignals(&err)) std::fprintf(stderr, "kesto: %s\n", err.c_str());

  QString named = parser.isSet("state-dir") ? parser.value("state-dir")
                                            : qEnvironmentVariable("KESTO_STATE_DIR");
  if (!FindStateFolder(named, &folder, &err)) {
    ShowMessage(nullptr,
                {QMessageBox::Critical, "Error!", QString::fromStdString(err), QMessageBox::Ok});
    return 1;
  }
  frmMain window(folder);
  if (!window.StartUp()) return 0;
  window.show();
  return QApplication::exec();
}
