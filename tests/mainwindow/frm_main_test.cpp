// The main window's own behaviour: start-up and shut-down over a temporary
// state folder, the directory list, the thumbnail options and picture types,
// the menus, the configuration files, the About box and signals from outside.
#include "mainwindow/frm_main.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "dialogs/frm_about.h"
#include "gui_answers.h"
#include "mainwindow/close_on_signal.h"
#include "run/picture_facts.h"
#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "unprivileged.h"

namespace {

// A main window that counts the requests to close it.
class Window : public QMainWindow {
 public:
  explicit Window(bool refuse = false) : refuse_(refuse) {}
  int asked = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++asked;
    if (refuse_) event->ignore();
  }

 private:
  bool refuse_;
};

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
  QListWidgetItem* Format(std::string_view label) {
    return Get<QListWidget>("lstFormats")
        ->findItems(QString::fromUtf8(label.data(), label.size()), Qt::MatchExactly)
        .value(0);
  }
  QString Dir(const QString& name) {
    QDir().mkpath(tmp_->filePath(name));
    return tmp_->filePath(name);
  }

  std::string Path(const char* name) { return tmp_->filePath(name).toStdString(); }
  std::string Read(const char* name) { return ReadFile(Path(name)); }
  void Write(const char* name, const std::string& text) { WriteFile(Path(name), text); }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }
  static QListWidgetItem* Format(frmMain& window, const char* label) {
    return ::Get<QListWidget>(&window, "lstFormats")->findItems(label, Qt::MatchExactly).value(0);
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

  void addingAFolderAppendsASlashOnceAndComparesExactly() {
    Answers answers;
    QString pics = Dir("Pics");
    answers.paths = {pics, pics, Dir("pics"), Dir("with-slash") + "/", ""};
    for (int i = 0; i < 5; ++i) Click("cmdAddDir");
    QCOMPARE(Entries(), QStringList({pics + "/", Dir("pics") + "/", Dir("with-slash") + "/"}));
    QCOMPARE(answers.files.first().kind, FileRequest::kFolder);
    QCOMPARE(List()->currentText(), Dir("with-slash") + "/");  // the cancel changed nothing
  }

  // Only the types libvips reads can be checked; a checked one makes its
  // pictures count when a tree is added.
  void addWithSubfoldersAddsEachFolderBelowThatHoldsPictures() {
    for (auto [path, fixture] : {std::pair{"tree/2024/Holidays/a.jpg", "pictures/small.jpg"},
                                 {"tree/2024/thumbs/a_tn.jpg", "pictures/small.jpg"},
                                 {"tree/2025/b.png", "thumbs/png-named.jpg"}}) {
      QDir().mkpath(QFileInfo(tmp_->filePath(path)).path());
      QVERIFY(QFile::copy(KESTO_TEST_DATA "/" + QString(fixture), tmp_->filePath(path)));
    }
    QCOMPARE(Get<QListWidget>("lstFormats")->count(), 5);
    ExtraFormats readable = ReadablePictureTypes();
    for (const ExtraFormatInfo& info : kExtraFormats)
      QCOMPARE(bool(Format(info.label)->flags() & Qt::ItemIsEnabled), readable.Has(info.format));
    Answers answers;
    QString tree = tmp_->filePath("tree");
    answers.paths = {tree, tree, tree};
    answers.options = {false, true, true};
    Click("cmdAddDir");
    QCOMPARE(Entries(), QStringList{tree + "/"});
    Click("cmdAddDir");  // the folder is there already; the others join it
    QCOMPARE(Entries(), QStringList({tree + "/", tree + "/2024/Holidays/"}));
    Format("PNG")->setCheckState(Qt::Checked);
    Click("cmdAddDir");
    QCOMPARE(Entries(), QStringList({tree + "/", tree + "/2024/Holidays/", tree + "/2025/"}));
    QCOMPARE(answers.option_texts, QStringList(3, "Add with subfolders"));
    QString locked = tree + "/locked";  // folders that cannot be read are named in one box
    QDir().mkpath(locked);
    chmod(qPrintable(tmp_->path()), 0755);
    chmod(qPrintable(locked), 0);
    std::string said = RunUnprivileged([&] {
      answers.paths = {tree};
      answers.options = {true};
      Click("cmdAddDir");
      return answers.Said().join("\n").toStdString();
    });
    chmod(qPrintable(locked), 0700);
    QCOMPARE(said, "Error|" + locked.toStdString() +
                       ": the folder cannot be read (Permission denied); it is left out, and the "
                       "folders in it");
  }

  void removeAndClearAskAndReport() {
    Answers answers;
    Click("cmdDirClr");  // empty: a notice, no question
    QCOMPARE(answers.Said(), QStringList{"Sorry|Just cleared nothing, Sir"});
    List()->addItems({"/a/", "/b/", "/c/"});
    List()->setCurrentIndex(1);
    Click("cmdDelDir");
    QCOMPARE(Entries(), QStringList({"/a/", "/c/"}));
    QCOMPARE(List()->currentIndex(), 0);
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    Click("cmdDirClr");
    QCOMPARE(Entries().size(), 2);
    QCOMPARE(answers.Said()[1], "Whoa, horsy!|Are you like sure and all?");
    QCOMPARE(answers.messages[1].buttons, QMessageBox::Yes | QMessageBox::No);
    Click("cmdDirClr");
    QCOMPARE(List()->count(), 0);
    Click("cmdDelDir");  // nothing to remove
    QCOMPARE(answers.messages.size(), 3);
  }

  void directoryListFilesRoundTrip() {
    Answers answers;
    List()->addItems({"/home/a/", "/b c/"});
    QString saved = tmp_->filePath("list.dir");
    answers.paths = {saved};
    Click("cmdDirListSave");
    QCOMPARE(ReadFile(saved.toStdString()), std::string("/home/a/\r\n/b c/\r\n"));

    WriteFile(tmp_->filePath("other.dir").toStdString(), "\r\n /x/ \r\n\r\n/a,b/\n");
    answers.paths = {tmp_->filePath("other.dir")};
    Click("cmdDirListLoad");
    QCOMPARE(Entries(), QStringList({"/x/", "/a", "b/"}));
    QCOMPARE(List()->currentIndex(), 0);

    Click("cmdDirListLoad");  // cancelled
    answers.paths = {Dir("a-folder")};
    Click("cmdDirListLoad");  // not a file: an error, the list as it was
    QCOMPARE(Entries(), QStringList({"/x/", "/a", "b/"}));
    QCOMPARE(answers.Said(), QStringList{"Error|" + Dir("a-folder") + ": is not a regular file"});
  }

  void goOpensOnlyAnExistingFolder() {
    Answers answers;
    List()->setEditText(tmp_->filePath("missing"));
    Click("cmdDirNav");
    QVERIFY(answers.desktop.isEmpty());
    List()->setEditText(Dir("there"));
    Click("cmdDirNav");
    QCOMPARE(answers.Opened(), QStringList{QUrl::fromLocalFile(Dir("there")).toString()});
    QCOMPARE(answers.desktop[0].kind, DesktopRequest::kOpen);
  }

  void droppedFoldersAreAdded() {
    QMimeData mime;
    WriteFile(tmp_->filePath("file.jpg").toStdString(), "x");
    mime.setUrls({QUrl::fromLocalFile(Dir("dropped")),
                  QUrl::fromLocalFile(tmp_->filePath("file.jpg")), QUrl("https://kesto.example/")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    QCOMPARE(Entries(), QStringList({Dir("dropped") + "/"}));
  }

  void qualityLabelShowsExtremesInRed() {
    QLabel* label = Get<QLabel>("lblQuality");
    for (auto [value, red] : {std::pair{49, true}, {50, false}, {90, false}, {91, true}}) {
      Get<QScrollBar>("hsbQuality")->setValue(value);
      QCOMPARE(label->text(), QString::number(value) + "%");
      QCOMPARE(label->palette().color(QPalette::WindowText),
               red ? QColor(0xC0, 0, 0) : QColor(Qt::black));
    }
  }

  void sizeBoxesTakeDigitsAndKeepTheFocusUntilValidAndTheHintFollowsIt() {
    Answers answers;
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QLineEdit* height = Get<QLineEdit>("txtThumbH");
    QLineEdit* width = Get<QLineEdit>("txtThumbW");
    height->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!height->hasSelectedText());
    QCOMPARE(height->cursorPosition(), 3);  // "100": the caret at the end
    height->clear();
    QTest::keyClicks(height, "a1b2-");
    QCOMPARE(height->text(), "12");
    height->clear();
    width->setText("0");  // both refused, as a .cfe without Height and Width has them
    width->setFocus(Qt::TabFocusReason);
    QCOMPARE(answers.Said(), QStringList{"Error!|This field can not be empty or zero!"});
    QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
    QTRY_VERIFY(height->hasFocus());  // width, left for it, is not checked meanwhile
    height->setText("80");
    width->setText("90");
    width->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(width->hasFocus());
    QCOMPARE(answers.messages.size(), 1);
    Get("chkLoadLast")->setFocus();  // a hint while the check box has the focus
    QCOMPARE(Get<QLabel>("Label1")->text(), "Uncheck and restart for defaults");
    Get("cmdProcess")->setFocus();
    QCOMPARE(Get<QLabel>("Label1")->text(), "");
  }

  void loadAndSaveFollowTheMode() {
    Answers answers;
    AdvancedSettings advanced;
    advanced.PageTitle = "From the file";
    ThumbOptions thumbs{60, "Width", "55", "66", 1};
    QString cfg = Dir("configs") + "/mine.cfg";
    WriteFile(cfg.toStdString(), AdvancedConfigText(advanced, thumbs));
    answers.paths = {cfg};
    Trigger("mnuLoad");
    QCOMPARE(answers.files[0].filter, "Config File (*.cfg)");
    QCOMPARE(answers.files[0].folder, tmp_->path());  // the state folder
    QCOMPARE(window_->session().advanced.PageTitle, "From the file");
    QCOMPARE(Get<QLineEdit>("txtThumbH")->text(), "55");  // the other options: the state's test
    QCOMPARE(window_->windowTitle(), "KESTO - mine.cfg");
    QCOMPARE(window_->session().ConfigDir, (Dir("configs") + "/").toStdString());

    Trigger("mnuModeExp");
    Trigger("mnuModeExp");  // the mode menu keeps exactly one mark
    QVERIFY(Get<QAction>("mnuModeExp")->isChecked() && !Get<QAction>("mnuModeAdv")->isChecked());
    Get<QLineEdit>("txtThumbW")->setText("77");
    QString cfe = tmp_->filePath("saved.cfe");
    answers.paths = {cfe};
    Trigger("Save");
    QCOMPARE(answers.files[1].filter, "Express Config File (*.cfe)");
    QVERIFY(ReadFile(cfe.toStdString()).find("Width=77\r\n") != std::string::npos);
    QCOMPARE(window_->windowTitle(), "KESTO - saved.cfe");
    QCOMPARE(window_->session().ConfigDir, (Dir("configs") + "/").toStdString());  // Save keeps it

    WriteFile(cfe.toStdString(), "[Express]\r\nQuality=30\r\nExpressPageTitle=Half\r\n");
    answers.paths = {cfe};
    Trigger("mnuLoad");  // ends at the missing ExpressUpdate
    QCOMPARE(answers.Said(),
             QStringList{"Error|" + cfe + ": ExpressUpdate is not True, False or a number"});
    QCOMPARE(Get<QScrollBar>("hsbQuality")->value(), 30);  // read before the damage
    QCOMPARE(window_->windowTitle(), "KESTO - saved.cfe");
  }

  // Help opens two addresses; About opens its box, whose links open two.
  void helpAndAboutOpenTheirAddresses() {
    Answers answers;
    Trigger("mnuHelp1");
    Trigger("mnuHelp2");
    QString shown;
    ModalAnswerer answerer([&](QWidget* modal) {
      shown = modal->objectName();
      for (const char* name : {"lblEmail", "lblSite"}) {
        auto* label = ::Get<QLabel>(modal, name);
        emit label->linkActivated(
            QRegularExpression("href=\"(.*)\"").match(label->text()).captured(1));
      }
      modal->close();
    });
    Trigger("mnuAbout");
    QCOMPARE(shown, "frmAbout");
    QCOMPARE(answers.Opened(),
             QStringList({"https://kesto.example/help", "https://mirror.kesto.example/help",
                          "mailto:authors@kesto.example", "https://kesto.example"}));
    QCOMPARE(answers.desktop[2].kind, DesktopRequest::kOpen);
  }

  // The buttons show the method a run takes, whatever text a file holds.
  void theResizeButtonsShowWhatARunTakes() {
    Answers answers;
    Trigger("mnuModeExp");
    const std::pair<const char*, const char*> cases[] = {
        {"Width", "optResByW"}, {"height", "optResByH"}, {"Both", "optResByHW"}, {"", "optResByH"}};
    for (auto [method, button] : cases) {
      std::string err;
      QVERIFY(SaveExpressConfig(Path("m.cfe"), ExpressSettings(), {75, method, "9", "9", 0}, &err));
      answers.paths = {tmp_->filePath("m.cfe")};
      Trigger("mnuLoad");
      QVERIFY2(Get<QRadioButton>(button)->isChecked(), method);
    }
    QVERIFY(answers.messages.isEmpty());
  }

  void withoutStateFileTheProgramWritesOneAndEnds() {
    Answers answers;
    frmMain window(tmp_->path().toStdString());
    QVERIFY(!window.StartUp());
    QCOMPARE(answers.Said(),
             QStringList{"Error!|Error opening ini file!\nYou may have to reinstall the program"});
    QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
    QVERIFY(Has(Read("nd.ini"), "[General]\r\nMode=adv\r\nLoadLast=0\r\n"));
    frmMain second(tmp_->path().toStdString());
    QVERIFY(second.StartUp());
    QCOMPARE(answers.messages.size(), 1);
  }

  // Reading odd values is the state's own test; nothing changed, the file
  // comes back as it was.
  void theStateFileFillsTheWindowAndComesBackUnchanged() {
    const std::string ini =
        "[General]\r\nMode=exp\r\nLoadLast=0\r\n[JPEG]\r\nQuality=42\r\nResizeMethod=Both\r\n"
        "Height=12\r\nWidth=90\r\nProgressive=1\r\n[DIRs]\r\n1=/a/\r\n2=/b/\r\n#=2\r\n";
    Write("nd.ini", ini);
    frmMain window(tmp_->path().toStdString());
    QVERIFY(window.StartUp());
    QVERIFY(::Get<QAction>(&window, "mnuModeExp")->isChecked());
    QCOMPARE(::Get<QScrollBar>(&window, "hsbQuality")->value(), 42);
    QVERIFY(::Get<QAbstractButton>(&window, "optResByHW")->isChecked());
    QCOMPARE(::Get<QLineEdit>(&window, "txtThumbH")->text(), "12");
    QVERIFY(::Get<QCheckBox>(&window, "chkProgressive")->isChecked());
    QCOMPARE(::Entries(::Get<QComboBox>(&window, "cboDirList")), QStringList({"/a/", "/b/"}));
    QCOMPARE(::Get<QComboBox>(&window, "cboDirList")->currentText(), "/a/");
    QVERIFY(window.close());
    QCOMPARE(Read("nd.ini"), ini);
  }

  void aDamagedAutosaveIsReportedAndTheWindowStillOpens() {
    Answers answers;
    Write("nd.ini", "[General]\r\nLoadLast=1\r\n[DIRs]\r\n1=/kept/\r\n#=1\r\n");
    Write("tempexp.cfe", "[Express]\r\nQuality=500\r\n");
    frmMain window(tmp_->path().toStdString());
    QVERIFY(window.StartUp());
    QCOMPARE(answers.Said(), QStringList{"Error|" + tmp_->filePath("tempexp.cfe") +
                                         ": Quality is missing or not between 1 and 100"});
    QCOMPARE(::Get<QComboBox>(&window, "cboDirList")->currentText(), "/kept/");
    QCOMPARE(::Get<QLabel>(&window, "lblQuality")->text(), "1%");  // nd.ini has no Quality
  }

  // The window's controls reach the state file when it closes, and come back
  // from it (which files the choice of LoadLast writes is the session's test).
  void closingWritesTheStateOfTheControls() {
    Answers answers;
    Write("nd.ini", "[General]\r\nMode=adv\r\nLoadLast=0\r\n");
    {
      frmMain window(tmp_->path().toStdString());
      QVERIFY(window.StartUp());
      ::Get<QAction>(&window, "mnuModeExp")->trigger();
      ::Get<QScrollBar>(&window, "hsbQuality")->setValue(60);
      ::Get<QComboBox>(&window, "cboDirList")->addItem("/pics/");
      ::Get<QCheckBox>(&window, "chkLoadLast")->setChecked(true);
      for (const char* type : {"PNG", "TIFF"}) Format(window, type)->setCheckState(Qt::Checked);
      QVERIFY(window.close());
    }
    std::string ini = Read("nd.ini");
    QVERIFY(Has(ini, "Mode=exp\r\nLoadLast=1\r\n"));
    QVERIFY(Has(ini, "\r\nExtraFormats=png,tiff\r\n"));
    QVERIFY(Has(ini, "Quality=60\r\n"));
    QVERIFY(Has(ini, "1=/pics/\r\n#=1\r\n"));
    frmMain again(tmp_->path().toStdString());  // the mode and quality: the test above
    QVERIFY(again.StartUp());
    QVERIFY(::Get<QCheckBox>(&again, "chkLoadLast")->isChecked());
    QCOMPARE(Format(again, "PNG")->checkState(), Qt::Checked);
    QCOMPARE(Format(again, "WebP")->checkState(), Qt::Unchecked);
    QVERIFY(answers.messages.isEmpty());
  }

  void aFailedCloseIsReportedButTheWindowCloses() {
    Answers answers;
    Write("nd.ini", "[General]\r\nLoadLast=1\r\n");
    frmMain window(tmp_->path().toStdString());
    QVERIFY(window.StartUp());
    QDir(tmp_->path()).mkdir("temp.cfg");  // a folder where the autosave goes
    QVERIFY(window.close());
    QCOMPARE(answers.Said(), QStringList{"Error|" + tmp_->filePath("temp.cfg") +
                                         ": cannot be written (Is a directory)"});
    QVERIFY(!QFile::exists(tmp_->filePath("tempexp.cfe")));  // the steps after the failure
  }

  // System Info starts the first program found on PATH, or says there is none.
  void systemInfoStartsTheFirstProgramFound() {
    Answers answers;
    QTemporaryDir bin, empty;
    for (const char* name : {"hardinfo", "gnome-system-monitor"}) {
      QFile tool(bin.filePath(name));
      QVERIFY(tool.open(QIODevice::WriteOnly));
      tool.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
    }
    QByteArray old = qgetenv("PATH");
    for (const QTemporaryDir* path : {&bin, &empty}) {
      qputenv("PATH", path->path().toLocal8Bit());
      frmAbout about(nullptr);
      ::Click(&about, "cmdSysInfo");
    }
    qputenv("PATH", old);
    QCOMPARE(answers.Opened(), QStringList{bin.filePath("gnome-system-monitor")});
    QCOMPARE(answers.desktop[0].kind, DesktopRequest::kStart);
    QCOMPARE(answers.Said(), QStringList{"KESTO|System Information Is Unavailable At This Time"});
    QCOMPARE(answers.messages[0].buttons, QMessageBox::Ok);
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
    QVERIFY(!set_up);
    QCOMPARE(err,
             "SIGTERM, SIGINT and SIGHUP end the program without saving its state: no socket for "
             "them (Too many open files)");
    QVERIFY(CloseOnSignals(&err));
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    MessageRequest question{QMessageBox::Question, "Q", "Sure?",
                            QMessageBox::Yes | QMessageBox::No};
    QVERIFY(ShowMessage(nullptr, question) != QMessageBox::Yes);  // a real box, cancelled
    later.show();
    QTRY_VERIFY(!shown.isVisible() && !later.isVisible());
    QCOMPARE(shown.asked, 1);
    QVERIFY(refusing.asked >= 1 && refusing.isVisible());
    QCOMPARE(hidden.asked, 0);
    QVERIFY(other.isVisible());
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {  // the next one ends the program
      struct sigaction now = {};
      sigaction(sig, nullptr, &now);
      QVERIFY2(now.sa_handler == SIG_DFL, qPrintable(QString::number(sig)));
    }
  }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
