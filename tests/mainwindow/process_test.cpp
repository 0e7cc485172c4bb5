// Gallery runs started from the main window: the pages and thumbnails, STOP
// and closing during a run, the clean-up question and the report.
#include <map>
#include <utility>

#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "run/fonts.h"
#include "settings/advanced_config.h"
#include "settings/express_config.h"
#include "settings/text.h"

namespace {

const QString kSamples = KESTO_SOURCE_DIR "/samples/pictures";

// Copies every sample picture into `to`.
void CopySamples(const QString& to) {
  QDir().mkpath(to);
  for (const QString& name : QDir(kSamples).entryList(QDir::Files))
    QFile::copy(kSamples + "/" + name, to + "/" + name);
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

// `count` copies of one noisy JPEG, whose thumbnail takes far longer than the
// few events handled after a click.
void WriteNoisyPictures(const QString& dir, int count) {
  QImage image(1200, 900, QImage::Format_RGB32);
  QRandomGenerator random(7);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, random.generate() | 0xFF000000u);
  QDir().mkpath(dir);
  QVERIFY(image.save(dir + "/p0.jpg", "JPEG", 95));
  for (int i = 1; i < count; ++i) QFile::copy(dir + "/p0.jpg", dir + QString("/p%1.jpg").arg(i));
}

int CountThumbs(const QString& dir) { return QDir(dir).entryList({"*_tn.jpg"}).size(); }

QString Text(QWidget* window, const char* box) {
  return Get<QPlainTextEdit>(window, box)->toPlainText();
}

}  // namespace

class ProcessTest : public QObject {
  Q_OBJECT

 private:
  QString Path(const QString& name) { return tmp_->filePath(name); }
  void AddDirectories(const QStringList& dirs) {
    Get<QComboBox>(window_.get(), "cboDirList")->clear();
    Get<QComboBox>(window_.get(), "cboDirList")->addItems(dirs);
  }
  // Chooses the mode and loads `config` through File > Load.
  void UseConfig(const QString& mode, const QString& config) {
    Trigger(window_.get(), mode);
    Answers answers;
    answers.paths = {config};
    Trigger(window_.get(), "mnuLoad");
    QVERIFY(answers.messages.isEmpty());
  }
  // Clicks Process and waits for the run, which goes on after the click.
  void Process() {
    QSignalSpy ended(window_.get(), &frmMain::RunEnded);
    Click(window_.get(), "cmdProcess");
    QVERIFY(!window_->centralWidget()->isEnabled());
    QVERIFY(ended.wait(60000));
  }

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
    QTest::addColumn<int>("font");  // without a config: ExpressFontFace of an initial .cfe
    QTest::newRow("express") << "Exp" << KESTO_SOURCE_DIR "/samples/express.cfe" << 0;
    QTest::newRow("advanced") << "Adv" << KESTO_SOURCE_DIR "/samples/advanced.cfg" << 0;
    // Without ExpressFontName both count the index in one list of fonts.
    int fonts = static_cast<int>(FontFamilies().size());
    QTest::newRow("last font") << "Exp" << QString() << fonts - 1;
    QTest::newRow("beyond the fonts") << "Exp" << QString() << fonts;
  }
  void galleriesEqualThoseOfKestoCli() {
    QFETCH(QString, mode);
    QFETCH(QString, config);
    QFETCH(int, font);
    if (config.isEmpty()) {  // as kesto-cli config init writes it
      ExpressSettings settings;
      settings.ExpressFontFace = std::to_string(font);
      config = Path("fonts.cfe");
      WriteFile(config.toStdString(), UpdateExpressConfig("", settings, ThumbOptions()));
    }
    CopySamples(Path("gui/pics"));
    CopySamples(Path("cli/pics"));
    UseConfig("mnuMode" + mode, config);
    AddDirectories({Path("gui/pics")});
    QString modals;
    ModalAnswerer answerer([&](QWidget* modal) { modals += modal->objectName(), modal->close(); });
    Process();
    QVERIFY2(modals.isEmpty(), qPrintable(modals));

    QProcess cli;
    cli.start(KESTO_CLI, {"process", "--quiet", "--no", "--config", config, Path("cli/pics")});
    QVERIFY(cli.waitForFinished(60000) && cli.exitCode() == 0);
    std::map<QString, QByteArray> gui = Tree(Path("gui")), made = Tree(Path("cli"));
    QVERIFY(gui.size() > 18);  // pictures, thumbnails and pages
    for (const auto& [name, bytes] : made) QVERIFY2(gui[name] == bytes, qPrintable(name));
    QCOMPARE(gui.size(), made.size());
  }

  void stopAndCloseEndTheRunBeforeTheNextPicture_data() {
    QTest::addColumn<bool>("close");
    QTest::newRow("STOP") << false;
    QTest::newRow("closing the window") << true;
  }
  // Both finish the pictures being made and start nothing else; the close
  // then saves the state and closes, without a report.
  void stopAndCloseEndTheRunBeforeTheNextPicture() {
    QFETCH(bool, close);
    WriteNoisyPictures(Path("many"), 24);
    QDir().mkpath(Path("state"));
    QString thumbs = Path("many/thumbs");
    AddDirectories({Path("missing"), Path("many/"), Path("never")});
    CopySamples(Path("never"));
    int made_at_stop = -1;
    QString seen;      // at the stop: the controls, the cursor, the folder shown, the progress
    auto stop = [&] {  // from a timer, as a person's click comes
      auto* progress = window_->findChild<QDialog*>("frmProgress");
      seen = QString("%1 %2 %3 ")
                 .arg(window_->centralWidget()->isEnabled() + window_->menuBar()->isEnabled())
                 .arg(int(QApplication::overrideCursor()->shape() == Qt::WaitCursor))
                 .arg(Get<QLabel>(progress, "lblProgressDir")->text());
      made_at_stop = CountThumbs(thumbs);
      close ? void(window_->close()) : Click(progress, "cmdCancelProgress");
      seen += progress->isVisible() ? "shown" : "gone";
    };
    QTimer watch;  // waits for the progress window, then for two thumbnails
    watch.callOnTimeout([&] {
      auto* bar = window_->findChild<QProgressBar*>("pbProgress");
      if (!bar) return;
      watch.stop();
      // The bar may pass 3 without showing it when the window is slow.
      QObject::connect(bar, &QProgressBar::valueChanged, [&, asked = false](int value) mutable {
        if (value < 3 || std::exchange(asked, true)) return;
        QTimer::singleShot(0, stop);
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
    QCOMPARE(seen.toStdString(), "0 1 " + ShortenText(Path("many/").toStdString(), 36) + " gone");
    // The pictures being made, and one more each started before the run
    // looks at the flag again (as after Ctrl-C in kesto-cli).
    QVERIFY(CountThumbs(thumbs) <= made_at_stop + 2 * QThread::idealThreadCount() &&
            CountThumbs(thumbs) < 24);
    QVERIFY(!QFile::exists(Path("many/page1.html")) && !QDir(Path("never/thumbs")).exists());
    QVERIFY(report.contains(Path("missing")) != close &&
            QFile::exists(Path("state/nd.ini")) == close);
    QVERIFY(window_->centralWidget()->isEnabled() && window_->menuBar()->isEnabled() &&
            !QApplication::overrideCursor());
    QTRY_VERIFY(!window_->findChild<QDialog*>("frmProgress"));  // unloaded with the run
  }

  void theCleanUpQuestionDecides() {
    UseConfig("mnuModeExp", KESTO_SOURCE_DIR "/samples/express.cfe");  // cleans up
    const struct {                  // closing the window is Command2's reject
      const char *answer, *folder;  // answer "": Enter
      bool deleted;
    } cases[] = {{"Command1", "delete", true}, {"Command2", "keep", false}, {"", "enter", false}};
    for (const auto& c : cases) {
      QString pics = Path(c.folder);
      CopySamples(pics);
      AddDirectories({pics});
      Process();
      QVERIFY(QFile::remove(pics + "/Ocean Waves.jpg"));
      QString orphan = pics + "/thumbs/Ocean Waves_tn.jpg";
      QString question;
      ModalAnswerer answerer([&](QWidget* modal) {
        question = modal->windowTitle() + "|" + Text(modal, "txtDelList");
        if (*c.answer)
          Click(modal, c.answer);
        else
          QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Return);
      });
      Process();
      QVERIFY2(question.startsWith("Delete List|") && question.endsWith("\n" + orphan + "\n"),
               qPrintable(question));
      QCOMPARE(QFile::exists(orphan), !c.deleted);
      QCOMPARE(CountThumbs(pics + "/thumbs"), c.deleted ? 8 : 9);  // the others stay
    }
  }

  void settingsThatReachOutsideTheGalleryStartNoRun() {
    CopySamples(Path("pics"));
    std::map<QString, QByteArray> before = Tree(Path("pics"));
    AdvancedSettings settings;
    settings.SubFolderName = "..";
    WriteFile(Path("up.cfg").toStdString(), AdvancedConfigText(settings, ThumbOptions()));
    UseConfig("mnuModeAdv", Path("up.cfg"));
    AddDirectories({Path("pics")});
    Answers answers;
    Click(window_.get(), "cmdProcess");
    QVERIFY(answers.messages.size() == 1 && answers.messages[0].text.startsWith("SubFolderName"));
    QVERIFY(Tree(Path("pics")) == before);
  }

  // A run over a bad picture beside a checked extra type and a JPEG.
  void aRunTakesTheCheckedTypesAndReportsEverythingOnce() {
    QDir().mkpath(Path("pics"));
    WriteFile(Path("pics/bad.jpg").toStdString(), "not a picture");
    QVERIFY(QFile::copy(KESTO_TEST_DATA "/thumbs/png-named.jpg", Path("pics/a.png")));
    QVERIFY(QFile::copy(KESTO_TEST_DATA "/pictures/small.jpg", Path("pics/b.jpg")));
    Get<QListWidget>(window_.get(), "lstFormats")->item(0)->setCheckState(Qt::Checked);
    AddDirectories({Path("gone1"), Path("pics"), Path("gone2")});
    QString report;
    ModalAnswerer answerer([&](QWidget* modal) {
      report = modal->windowTitle() + "|" + Text(modal, "WarnText");
      Click(modal, "cmdOk");
    });
    Process();
    // Each problem once (the report's words are the run's own test).
    for (const QString& told : {Path("gone1") + "\n", Path("gone2") + "\n", QString("bad.jpg: ")})
      QVERIFY2(report.count(told) == 1 && report.startsWith("A very bad warning window|"),
               qPrintable(report));
    QCOMPARE(QDir(Path("pics/thumbs")).entryList(QDir::Files),
             QStringList({"a_tn.jpg", "b_tn.jpg"}));
  }
};

QTEST_MAIN(ProcessTest)
#include "process_test.moc"
