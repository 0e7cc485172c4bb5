// Gallery runs started from the main window: the pages and thumbnails, STOP,
// the clean-up question and the report.
#include <QAction>
#include <QComboBox>
#include <QDirIterator>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "settings/advanced_config.h"
#include "temp_folder.h"

namespace {

const QString kSamples = KESTO_SOURCE_DIR "/samples/pictures";

// Copies every file of `from` into the folder `to` (made), `copies` times,
// the n-th copy's names prefixed with n.
void CopyPictures(const QString& from, const QString& to, int copies = 1) {
  QDir().mkpath(to);
  for (int n = 0; n < copies; ++n)
    for (const QString& name : QDir(from).entryList(QDir::Files))
      QFile::copy(from + "/" + name, to + "/" + (copies > 1 ? QString::number(n) : "") + name);
}

// Every file under `dir` by its path below it, with its bytes.
std::map<QString, QByteArray> Tree(const QString& dir) {
  std::map<QString, QByteArray> files;
  QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QString path = it.next();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    files[QDir(dir).relativeFilePath(path)] = file.readAll();
  }
  return files;
}

// `count` copies of one noisy 1200 x 900 JPEG, slow enough to make that the
// few events handled after a click take far less time than one thumbnail.
void WriteNoisyPictures(const QString& dir, int count) {
  QImage image(1200, 900, QImage::Format_RGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, random.generate() | 0xFF000000u);
  QDir().mkpath(dir);
  QString first = dir + "/p00.jpg";
  QVERIFY(image.save(first, "JPEG", 95));
  for (int i = 1; i < count; ++i)
    QFile::copy(first, dir + QString("/p%1.jpg").arg(i, 2, 10, QChar('0')));
}

int CountThumbs(const QString& dir) { return QDir(dir).entryList({"*_tn.jpg"}).size(); }

QString Text(QWidget* window, const char* box) {
  return window->findChild<QPlainTextEdit*>(box)->toPlainText();
}

void Press(QWidget* window, const char* button) {
  window->findChild<QPushButton*>(button)->click();
}

}  // namespace

class ProcessTest : public QObject {
  Q_OBJECT

 private:
  QString Path(const QString& name) { return tmp_->filePath(name); }
  void AddDirectories(const QStringList& dirs) {
    window_->findChild<QComboBox*>("cboDirList")->addItems(dirs);
  }
  // Chooses the mode and loads `config` through File > Load.
  void UseConfig(const char* mode, const QString& config) {
    window_->findChild<QAction*>(mode)->trigger();
    Answers answers;
    answers.paths = {config};
    window_->findChild<QAction*>("mnuLoad")->trigger();
    QVERIFY(answers.messages.isEmpty());
  }
  void Process() { Press(window_.get(), "cmdProcess"); }

  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<frmMain> window_;

 private slots:
  void initTestCase() { QDir::setCurrent(KESTO_SOURCE_DIR); }  // samples/picture.tpl
  void init() {
    tmp_ = std::make_unique<QTemporaryDir>();
    window_ = std::make_unique<frmMain>(Path("state").toStdString());
  }
  void cleanup() {
    window_.reset();
    tmp_.reset();
  }

  void galleriesEqualThoseOfKestoCli_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("config");
    QTest::newRow("express") << "mnuModeExp" << KESTO_SOURCE_DIR "/samples/express.cfe";
    QTest::newRow("advanced") << "mnuModeAdv" << KESTO_SOURCE_DIR "/samples/advanced.cfg";
  }
  void galleriesEqualThoseOfKestoCli() {
    QFETCH(QString, mode);
    QFETCH(QString, config);
    CopyPictures(kSamples, Path("gui/pics"));
    CopyPictures(kSamples, Path("cli/pics"));
    UseConfig(mode.toLatin1(), config);
    AddDirectories({Path("gui/pics")});
    QStringList modals;
    ModalAnswerer answerer([&](QWidget* modal) {
      modals << modal->objectName();
      modal->close();
    });
    Process();
    QVERIFY2(modals.isEmpty(), qPrintable(modals.join(",")));

    QProcess cli;
    cli.start(KESTO_CLI, {"process", "--quiet", "--no", "--config", config, Path("cli/pics")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    std::map<QString, QByteArray> gui = Tree(Path("gui")), made = Tree(Path("cli"));
    QVERIFY(gui.size() > 20);  // pictures, thumbnails and pages
    QCOMPARE(gui.size(), made.size());
    for (const auto& [name, bytes] : made) QVERIFY2(gui[name] == bytes, qPrintable(name));
  }

  void stopEndsTheRunBeforeTheNextPicture() {
    WriteNoisyPictures(Path("many"), 24);
    QString thumbs = Path("many/thumbs");
    AddDirectories({Path("missing"), Path("many"), Path("never")});
    CopyPictures(kSamples, Path("never"));
    int made_at_stop = -1;
    bool close_refused = false, controls_disabled = false, busy = false;
    auto stop = [&] {  // from a timer, as a person's click comes
      close_refused = !window_->close();
      controls_disabled =
          !window_->centralWidget()->isEnabled() && !window_->menuBar()->isEnabled();
      busy = QApplication::overrideCursor()->shape() == Qt::WaitCursor;
      made_at_stop = CountThumbs(thumbs);
      Press(window_->findChild<QDialog*>("frmProgress"), "cmdCancelProgress");
    };
    QTimer watch;  // waits for the progress window, then for two thumbnails
    watch.callOnTimeout([&] {
      auto* bar = window_->findChild<QProgressBar*>("pbProgress");
      if (!bar) return;
      watch.stop();
      QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        if (value == 3) QTimer::singleShot(0, stop);
      });
    });
    watch.start(0);
    QString report;
    ModalAnswerer answerer([&](QWidget* modal) {
      report = Text(modal, "WarnText");
      modal->close();
    });
    Process();
    QVERIFY(made_at_stop >= 0);
    QVERIFY(close_refused && controls_disabled && busy);
    QVERIFY(CountThumbs(thumbs) <= made_at_stop + QThread::idealThreadCount());
    QVERIFY(CountThumbs(thumbs) < 24);
    QVERIFY(!QFile::exists(Path("many/page1.html")));
    QVERIFY(!QDir(Path("never/thumbs")).exists());
    QCOMPARE(report, "Invalid paths:\n---------------------\n" + Path("missing") +
                         "\n---------------------\n\n");
    QVERIFY(window_->centralWidget()->isEnabled() && window_->menuBar()->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!window_->findChild<QDialog*>("frmProgress"));  // unloaded with the run
  }

  void theCleanUpQuestionDecides_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("delete") << "Command1" << true;
    QTest::newRow("keep") << "Command2" << false;
    QTest::newRow("closed") << "" << false;
  }
  void theCleanUpQuestionDecides() {
    QFETCH(QString, answer);
    QFETCH(bool, deleted);
    UseConfig("mnuModeExp", KESTO_SOURCE_DIR "/samples/express.cfe");  // cleans up
    CopyPictures(kSamples, Path("pics"));
    AddDirectories({Path("pics")});
    Process();
    QVERIFY(QFile::remove(Path("pics/Ocean Waves.jpg")));
    QString orphan = Path("pics/thumbs/Ocean Waves_tn.jpg");
    QString question;
    ModalAnswerer answerer([&](QWidget* modal) {
      question = modal->windowTitle() + "|" + Text(modal, "txtDelList");
      if (answer.isEmpty())
        modal->close();
      else
        Press(modal, answer.toLatin1());
    });
    Process();
    QCOMPARE(question,
             "Delete List|It appears that the source files for\n"
             "the following thumbnails do not exist.\nDo you wish to delete them?\n"
             "---------------------------\n" +
                 orphan + "\n");
    QCOMPARE(QFile::exists(orphan), !deleted);
    QCOMPARE(CountThumbs(Path("pics/thumbs")), deleted ? 8 : 9);  // the others stay
  }

  void settingsThatReachOutsideTheGalleryStartNoRun() {
    CopyPictures(kSamples, Path("pics"));
    std::map<QString, QByteArray> before = Tree(Path("pics"));
    AdvancedSettings settings;
    settings.SubFolderName = "..";
    std::string err;
    QVERIFY(SaveAdvancedConfig(Path("up.cfg").toStdString(), settings, ThumbOptions(), &err));
    UseConfig("mnuModeAdv", Path("up.cfg"));
    AddDirectories({Path("pics")});
    Answers answers;
    Process();
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, QString("Error!"));
    QCOMPARE(answers.messages[0].text,
             QString("SubFolderName is \"..\": the thumbnail folder must be one plain folder "
                     "name, not empty, \".\", \"..\" or holding \"/\""));
    QVERIFY(Tree(Path("pics")) == before);
  }

  void theReportListsEverythingOnce() {
    QDir().mkpath(Path("pics"));
    WriteFile(Path("pics/bad.jpg").toStdString(), "not a picture");
    AddDirectories({Path("gone1"), Path("pics"), Path("gone2")});
    QString report;
    ModalAnswerer answerer([&](QWidget* modal) {
      report = modal->windowTitle() + "|" + Text(modal, "WarnText");
      Press(modal, "cmdOk");
    });
    Process();
    QString sep = "---------------------\n";
    QString head = "A very bad warning window|Invalid paths:\n" + sep + Path("gone1") + "\n" +
                   Path("gone2") + "\n" + sep +
                   "\nThumbs could not be written. Corrupted source files:\n" + sep +
                   Path("pics/bad.jpg") + "\n" + sep + "\nOther problems:\n" + sep +
                   "no thumbnail of " + Path("pics/bad.jpg") + ": ";
    QCOMPARE(report, head + "not a picture in a readable format\n" + sep);
    QCOMPARE(window_->report().InvalidPaths,
             (Path("gone1") + "\r\n" + Path("gone2") + "\r\n").toStdString());
  }
};

QTEST_MAIN(ProcessTest)
#include "process_test.moc"
