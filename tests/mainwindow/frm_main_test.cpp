// The main window's own behaviour: start-up and shut-down, the directory
// list, the thumbnail options, the menus, the files and signals from outside.
#include "mainwindow/frm_main.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "gui_answers.h"
#include "mainwindow/close_on_signal.h"
#include "settings/advanced_config.h"
#include "unprivileged.h"

namespace {

// A main window that counts the requests to close it.
struct Window : QMainWindow {
  explicit Window(bool refuses = false) : refuse(refuses) {}
  void closeEvent(QCloseEvent* event) override { event->setAccepted(++asked && !refuse); }
  bool refuse;
  int asked = 0;
};

QListWidgetItem* Format(const frmMain* window, const QString& label) {
  return Get<QListWidget>(window, "lstFormats")->findItems(label, Qt::MatchExactly).value(0);
}

}  // namespace

class FrmMainTest : public QObject {
  Q_OBJECT

 private:
  template <typename T = QWidget>
  T* Get(const char* name) {
    return ::Get<T>(window_.get(), name);
  }
  QComboBox* List() { return Get<QComboBox>("cboDirList"); }
  QStringList Entries() { return ::Entries(List()); }
  void Click(const char* name) { ::Click(window_.get(), name); }
  void Trigger(const char* name) { ::Trigger(window_.get(), name); }
  QString Dir(const QString& name) {
    QDir().mkpath(tmp_->filePath(name));
    return tmp_->filePath(name);
  }
  std::string Path(const char* name) { return tmp_->filePath(name).toStdString(); }
  // The window over the state folder, started as the program starts it.
  void Start() {
    window_ = std::make_unique<frmMain>(tmp_->path().toStdString());
    if (!window_->StartUp()) qFatal("the window does not start");
  }

  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<frmMain> window_;

 private slots:
  void init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    window_ = std::make_unique<frmMain>(tmp_->path().toStdString());
  }
  void cleanup() {
    window_.reset();
    tmp_.reset();
  }

  // A slash is added once, names compare exactly; Remove takes the current
  // entry, Clear asks first; dropped folders are added, dropped files and
  // addresses not; Go opens only an existing folder.
  void foldersAreAddedOnceRemovedDroppedAndOpened() {
    Answers answers;
    QString pics = Dir("Pics");
    answers.paths = {pics, pics, Dir("pics"), Dir("with-slash") + "/", ""};
    for (int i = 0; i < 5; ++i) Click("cmdAddDir");
    QCOMPARE(Entries(), QStringList({pics + "/", Dir("pics") + "/", Dir("with-slash") + "/"}));
    QCOMPARE(answers.files.first().kind, FileRequest::kFolder);
    QCOMPARE(List()->currentText(), Dir("with-slash") + "/");  // the cancel changed nothing
    List()->setCurrentIndex(1);
    Click("cmdDelDir");
    QCOMPARE(Entries(), QStringList({pics + "/", Dir("with-slash") + "/"}));
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    Click("cmdDirClr");
    QCOMPARE(List()->count(), 2);
    Click("cmdDirClr");
    QMimeData mime;
    WriteFile(Path("file.jpg"), "x");
    mime.setUrls({QUrl::fromLocalFile(Dir("dropped")),
                  QUrl::fromLocalFile(tmp_->filePath("file.jpg")), QUrl("https://kesto.example/")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    QCOMPARE(Entries(), QStringList({Dir("dropped") + "/"}));
    for (const QString& go : {tmp_->filePath("missing"), Dir("dropped")}) {
      List()->setEditText(go);
      Click("cmdDirNav");
    }
    QCOMPARE(answers.desktop.size(), 1);
    QCOMPARE(answers.desktop[0].target, QUrl::fromLocalFile(Dir("dropped")).toString());
  }

  // A checked picture type makes its pictures count when a tree is added; a
  // folder that cannot be read is named in one box.
  void addWithSubfoldersAddsEachFolderBelowThatHoldsPictures() {
    for (auto [path, fixture] : {std::pair{"tree/2024/Holidays/a.jpg", "pictures/small.jpg"},
                                 {"tree/2024/thumbs/a_tn.jpg", "pictures/small.jpg"},
                                 {"tree/2025/b.png", "thumbs/png-named.jpg"}}) {
      QDir().mkpath(QFileInfo(tmp_->filePath(path)).path());
      QVERIFY(QFile::copy(KESTO_TEST_DATA "/" + QString(fixture), tmp_->filePath(path)));
    }
    Answers answers;
    QString tree = tmp_->filePath("tree"), locked = tree + "/locked";
    answers.paths = {tree, tree, tree};
    answers.options = {false, true, true};
    Click("cmdAddDir");
    Click("cmdAddDir");  // the folder is there already; the others join it
    QCOMPARE(Entries(), QStringList({tree + "/", tree + "/2024/Holidays/"}));
    Format(window_.get(), "PNG")->setCheckState(Qt::Checked);
    Click("cmdAddDir");
    QCOMPARE(Entries(), QStringList({tree + "/", tree + "/2024/Holidays/", tree + "/2025/"}));
    QDir().mkpath(locked);
    chmod(qPrintable(tmp_->path()), 0755);
    chmod(qPrintable(locked), 0);
    QString said = QString::fromStdString(RunUnprivileged([&] {
      answers.paths = {tree};
      answers.options = {true};
      Click("cmdAddDir");
      return answers.Said().join("\n").toStdString();
    }));
    chmod(qPrintable(locked), 0700);
    QVERIFY2(said.startsWith("Error|" + locked + ": ") && !said.contains('\n'), qPrintable(said));
  }

  // The number boxes take digits only and keep the focus until valid, the
  // second refused box unchecked meanwhile.
  void sizeBoxesTakeDigitsAndKeepTheFocusUntilValid() {
    Answers answers;
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto *height = Get<QLineEdit>("txtThumbH"), *width = Get<QLineEdit>("txtThumbW");
    height->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!height->hasSelectedText());
    QCOMPARE(height->cursorPosition(), 3);  // "100": the caret at the end
    height->clear();
    QTest::keyClicks(height, "a1b2-");
    QCOMPARE(height->text(), "12");
    height->clear();
    width->setText("0");  // both refused, as a .cfe without Height and Width has them
    width->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(height->hasFocus());
    height->setText("80");
    width->setText("90");
    width->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(width->hasFocus());
    QCOMPARE(answers.messages.size(), 1);
  }

  // Load and Save take the mode's file type; a damaged file is told, with
  // what came before the damage kept.
  void loadAndSaveFollowTheMode() {
    Answers answers;
    AdvancedSettings advanced;
    advanced.PageTitle = "From the file";
    QString cfg = Dir("configs") + "/mine.cfg", cfe = tmp_->filePath("saved.cfe");
    WriteFile(cfg.toStdString(), AdvancedConfigText(advanced, {60, "Width", "55", "66", 1}));
    answers.paths = {cfg, cfe, cfe};
    Trigger("mnuLoad");
    QCOMPARE(answers.files[0].folder, tmp_->path());  // the state folder
    QCOMPARE(window_->windowTitle() + "|" + Get<QLineEdit>("txtThumbH")->text(),
             "KESTO - mine.cfg|55");
    QVERIFY(Get<QRadioButton>("optResByW")->isChecked() &&
            window_->session().advanced.PageTitle == "From the file");
    Trigger("mnuModeExp");
    Trigger("mnuModeExp");  // the mode menu keeps exactly one mark
    QVERIFY(Get<QAction>("mnuModeExp")->isChecked() && !Get<QAction>("mnuModeAdv")->isChecked());
    Get<QLineEdit>("txtThumbW")->setText("77");
    Trigger("Save");
    QCOMPARE(answers.files[0].filter + answers.files[1].filter,
             "Config File (*.cfg)Express Config File (*.cfe)");
    QVERIFY(ReadFile(cfe.toStdString()).find("Width=77\r\n") != std::string::npos);
    QCOMPARE(window_->windowTitle(), "KESTO - saved.cfe");
    QCOMPARE(window_->session().ConfigDir, (Dir("configs") + "/").toStdString());  // Save keeps it
    WriteFile(cfe.toStdString(), "[Express]\r\nQuality=30\r\nExpressPageTitle=Half\r\n");
    Trigger("mnuLoad");  // ends at the missing ExpressUpdate
    QVERIFY(answers.messages.size() == 1 && Get<QScrollBar>("hsbQuality")->value() == 30);
    QCOMPARE(window_->windowTitle(), "KESTO - saved.cfe");
  }

  // Without nd.ini the program writes one and ends; the next start reads it,
  // and a close with nothing changed gives it back as it was. A damaged
  // autosave is told, and the window still opens.
  void theStateFileIsWrittenReadAndComesBackUnchanged() {
    Answers answers;
    QVERIFY(!window_->StartUp());
    QVERIFY(answers.messages.size() == 1 && answers.messages[0].icon == QMessageBox::Critical);
    QVERIFY(ReadFile(Path("nd.ini")).starts_with("[General]\r\nMode=adv\r\nLoadLast=0\r\n"));
    Start();
    QCOMPARE(answers.messages.size(), 1);
    const std::string ini =
        "[General]\r\nMode=exp\r\nLoadLast=0\r\n[JPEG]\r\nQuality=42\r\nResizeMethod=Both\r\n"
        "Height=12\r\nWidth=90\r\nProgressive=1\r\n[DIRs]\r\n1=/a/\r\n2=/b/\r\n#=2\r\n";
    WriteFile(Path("nd.ini"), ini);
    Start();
    QVERIFY(Get<QAction>("mnuModeExp")->isChecked() &&
            Get<QCheckBox>("chkProgressive")->isChecked());
    QVERIFY(Get<QAbstractButton>("optResByHW")->isChecked());
    QVERIFY(Get<QScrollBar>("hsbQuality")->value() == 42 && List()->currentText() == "/a/");
    QCOMPARE(Get<QLineEdit>("txtThumbH")->text(), "12");
    QCOMPARE(Entries(), QStringList({"/a/", "/b/"}));
    QVERIFY(window_->close());
    QCOMPARE(ReadFile(Path("nd.ini")), ini);
    WriteFile(Path("nd.ini"), "[General]\r\nLoadLast=1\r\n[DIRs]\r\n1=/kept/\r\n#=1\r\n");
    WriteFile(Path("tempexp.cfe"), "[Express]\r\nQuality=500\r\n");
    Start();
    QVERIFY(answers.messages.size() == 2 && List()->currentText() == "/kept/");
    QVERIFY(answers.messages[1].text.startsWith(tmp_->filePath("tempexp.cfe") + ": "));
    QCOMPARE(Get<QLabel>("lblQuality")->text(), "1%");  // nd.ini has no Quality
  }

  // The window's controls reach the state file when it closes, and come back
  // from it (which files the choice of LoadLast writes is the session's test);
  // a failed close is told, but the window closes.
  void closingWritesTheStateOfTheControls() {
    Answers answers;
    WriteFile(Path("nd.ini"), "[General]\r\nMode=adv\r\nLoadLast=0\r\n");
    Start();
    Trigger("mnuModeExp");
    Get<QScrollBar>("hsbQuality")->setValue(60);
    List()->addItem("/pics/");
    Get<QCheckBox>("chkLoadLast")->setChecked(true);
    for (const char* type : {"PNG", "TIFF"})
      Format(window_.get(), type)->setCheckState(Qt::Checked);
    QVERIFY(window_->close());
    std::string ini = ReadFile(Path("nd.ini"));
    for (const char* line : {"Mode=exp\r\nLoadLast=1\r\n", "\r\nExtraFormats=png,tiff\r\n",
                             "Quality=60\r\n", "1=/pics/\r\n#=1\r\n"})
      QVERIFY2(ini.find(line) != std::string::npos, line);
    Start();
    QVERIFY(Get<QCheckBox>("chkLoadLast")->isChecked() && answers.messages.isEmpty());
    QCOMPARE(Format(window_.get(), "PNG")->checkState(), Qt::Checked);
    QCOMPARE(Format(window_.get(), "WebP")->checkState(), Qt::Unchecked);
    QFile::remove(tmp_->filePath("temp.cfg"));
    QDir(tmp_->path()).mkdir("temp.cfg");  // a folder where the autosave goes
    QVERIFY(window_->close());
    QCOMPARE(answers.Said(), QStringList{"Error|" + tmp_->filePath("temp.cfg") +
                                         ": cannot be written (Is a directory)"});
  }

  // Signals from outside cancel every dialog, a message box before the main
  // window shows among them, and close the main windows, also one shown
  // after the box; the next signal ends the program. Runs last: the signals
  // keep closing windows until the program ends.
  void signalsCloseTheWindowsWhateverIsOpen() {
    Window shown, refusing(true), later, hidden;
    shown.show();
    refusing.show();
    QWidget other;  // not a main window
    other.show();
    std::string err;
    rlimit files, none = {0, 0};  // no file handle left, so no socket: said
    getrlimit(RLIMIT_NOFILE, &files);
    none.rlim_max = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &none);
    bool set_up = CloseOnSignals(&err);
    setrlimit(RLIMIT_NOFILE, &files);
    QVERIFY(!set_up && err.ends_with("no socket for them (Too many open files)"));
    QVERIFY(CloseOnSignals(&err));
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    QVERIFY(ShowMessage(nullptr, {QMessageBox::Question, "Q", "Sure?",
                                  QMessageBox::Yes | QMessageBox::No}) !=
            QMessageBox::Yes);  // a real box, cancelled
    later.show();
    QTRY_VERIFY(!shown.isVisible() && !later.isVisible());
    QVERIFY(shown.asked == 1 && hidden.asked == 0 && other.isVisible());
    QVERIFY(refusing.asked >= 1 && refusing.isVisible());
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {  // the next one ends the program
      struct sigaction now = {};
      sigaction(sig, nullptr, &now);
      QVERIFY2(now.sa_handler == SIG_DFL, qPrintable(QString::number(sig)));
    }
  }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
