// The main window's own behaviour: the directory list, the thumbnail
// options, the menus and the configuration files, driven through objectNames.
#include "mainwindow/frm_main.h"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "gui_answers.h"
#include "settings/advanced_config.h"
#include "temp_folder.h"

class FrmMainTest : public QObject {
  Q_OBJECT

 private:
  template <typename T>
  T* Get(const char* name) {
    T* child = window_->findChild<T*>(name);
    if (!child) qFatal("no control %s", name);
    return child;
  }
  QComboBox* List() { return Get<QComboBox>("cboDirList"); }
  QStringList Entries() {
    QStringList entries;
    for (int i = 0; i < List()->count(); ++i) entries << List()->itemText(i);
    return entries;
  }
  void Click(const char* name) { Get<QPushButton>(name)->click(); }
  void Trigger(const char* name) { Get<QAction>(name)->trigger(); }
  QString Dir(const QString& name) {
    QDir().mkpath(tmp_->filePath(name));
    return tmp_->filePath(name);
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
    QCOMPARE(answers.files.first().title, "Please select a folder.");
    QCOMPARE(List()->currentText(), Dir("with-slash") + "/");  // the cancel changed nothing
  }

  void removeAndClearAskAndReport() {
    Answers answers;
    Click("cmdDirClr");  // empty: a notice, no question
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, "Sorry");
    QCOMPARE(answers.messages[0].text, "Just cleared nothing, Sir");
    List()->addItems({"/a/", "/b/", "/c/"});
    List()->setCurrentIndex(1);
    Click("cmdDelDir");
    QCOMPARE(Entries(), QStringList({"/a/", "/c/"}));
    QCOMPARE(List()->currentIndex(), 0);
    answers.buttons = {QMessageBox::No, QMessageBox::Yes};
    Click("cmdDirClr");
    QCOMPARE(Entries().size(), 2);
    QCOMPARE(answers.messages[1].title, "Whoa, horsy!");
    QCOMPARE(answers.messages[1].text, "Are you like sure and all?");
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
    QCOMPARE(answers.files[0].title, "Save Directory List");
    QCOMPARE(answers.files[0].filter, "Directory List (*.dir)");

    WriteFile(tmp_->filePath("other.dir").toStdString(), "\r\n /x/ \r\n\r\n/a,b/\n");
    answers.paths = {tmp_->filePath("other.dir")};
    Click("cmdDirListLoad");
    QCOMPARE(Entries(), QStringList({"/x/", "/a", "b/"}));
    QCOMPARE(List()->currentIndex(), 0);
    QCOMPARE(answers.files[1].title, "Load Directory List");

    Click("cmdDirListLoad");  // cancelled
    answers.paths = {Dir("a-folder")};
    Click("cmdDirListLoad");  // not a file: an error, the list as it was
    QCOMPARE(Entries(), QStringList({"/x/", "/a", "b/"}));
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, "Error");
    QCOMPARE(answers.messages[0].text, Dir("a-folder") + ": is not a regular file");
  }

  void goOpensOnlyAnExistingFolder() {
    Answers answers;
    List()->setEditText(tmp_->filePath("missing"));
    Click("cmdDirNav");
    List()->setEditText("");
    Click("cmdDirNav");
    QVERIFY(answers.desktop.isEmpty());
    List()->setEditText(Dir("there"));
    Click("cmdDirNav");
    QCOMPARE(answers.desktop.size(), 1);
    QCOMPARE(answers.desktop[0].kind, DesktopRequest::kOpen);
    QCOMPARE(answers.desktop[0].target, QUrl::fromLocalFile(Dir("there")).toString());
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

  void qualityLabelShowsExtremesInRed_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("red");
    QTest::newRow("49") << 49 << true;
    QTest::newRow("50") << 50 << false;
    QTest::newRow("90") << 90 << false;
    QTest::newRow("91") << 91 << true;
  }
  void qualityLabelShowsExtremesInRed() {
    QFETCH(int, value);
    QFETCH(bool, red);
    Get<QScrollBar>("hsbQuality")->setValue(value);
    QLabel* label = Get<QLabel>("lblQuality");
    QCOMPARE(label->text(), QString::number(value) + "%");
    QCOMPARE(label->palette().color(QPalette::WindowText),
             red ? QColor(0xC0, 0, 0) : QColor(Qt::black));
  }

  void sizeBoxesTakeDigitsAndKeepTheFocusUntilValid() {
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
    width->setFocus(Qt::TabFocusReason);
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, "Error!");
    QCOMPARE(answers.messages[0].text, "This field can not be empty or zero!");
    QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
    QTRY_VERIFY(height->hasFocus());
    QTest::keyClicks(height, "0");
    width->setFocus(Qt::TabFocusReason);
    QCOMPARE(answers.messages.size(), 2);  // 0 is no size either
    height->setText("80");
    width->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(width->hasFocus());
    QCOMPARE(answers.messages.size(), 2);
  }

  void loadLastHintFollowsTheFocus() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Get<QWidget>("chkLoadLast")->setFocus();
    QCOMPARE(Get<QLabel>("Label1")->text(), "Uncheck and restart for defaults");
    Get<QWidget>("cmdProcess")->setFocus();
    QCOMPARE(Get<QLabel>("Label1")->text(), "");
  }

  void modeMenuKeepsExactlyOneMark() {
    QAction* express = Get<QAction>("mnuModeExp");
    QAction* advanced = Get<QAction>("mnuModeAdv");
    QVERIFY(advanced->isChecked() && !express->isChecked());
    Trigger("mnuModeExp");
    QVERIFY(express->isChecked() && !advanced->isChecked());
    Trigger("mnuModeExp");
    QVERIFY(express->isChecked());
    Trigger("mnuModeAdv");
    QVERIFY(advanced->isChecked() && !express->isChecked());
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
    QCOMPARE(answers.files[0].title, "Load Configuration File");
    QCOMPARE(window_->session().advanced.PageTitle, "From the file");
    QCOMPARE(Get<QLineEdit>("txtThumbH")->text(), "55");
    QVERIFY(Get<QAbstractButton>("optResByW")->isChecked());
    QCOMPARE(Get<QScrollBar>("hsbQuality")->value(), 60);
    QCOMPARE(window_->windowTitle(), "KESTO - mine.cfg");
    QCOMPARE(window_->session().ConfigDir, (Dir("configs") + "/").toStdString());

    Trigger("mnuModeExp");
    Get<QLineEdit>("txtThumbW")->setText("77");
    QString cfe = tmp_->filePath("saved.cfe");
    answers.paths = {cfe};
    Trigger("Save");
    QCOMPARE(answers.files[1].filter, "Express Config File (*.cfe)");
    QCOMPARE(answers.files[1].title, "Save Configuration File");
    QVERIFY(ReadFile(cfe.toStdString()).find("Width=77\r\n") != std::string::npos);
    QCOMPARE(window_->windowTitle(), "KESTO - saved.cfe");
    QCOMPARE(window_->session().ConfigDir, (Dir("configs") + "/").toStdString());  // Save keeps it

    WriteFile(cfe.toStdString(), "[Express]\r\nQuality=30\r\nExpressPageTitle=Half\r\n");
    answers.paths = {cfe};
    Trigger("mnuLoad");  // ends at the missing ExpressUpdate
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, "Error");
    QCOMPARE(answers.messages[0].text, cfe + ": ExpressUpdate is not True, False or a number");
    QCOMPARE(Get<QScrollBar>("hsbQuality")->value(), 30);  // read before the damage
    QCOMPARE(window_->windowTitle(), "KESTO - saved.cfe");
  }

  void helpOpensTheTwoAddresses() {
    Answers answers;
    Trigger("mnuHelp1");
    Trigger("mnuHelp2");
    QCOMPARE(answers.desktop.size(), 2);
    QCOMPARE(answers.desktop[0].target, "https://kesto.example/help");
    QCOMPARE(answers.desktop[1].target, "https://mirror.kesto.example/help");
    QString shown;
    ModalAnswerer answerer([&](QWidget* modal) {
      shown = modal->objectName();
      modal->close();
    });
    Trigger("mnuAbout");
    QCOMPARE(shown, "frmAbout");
  }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
