// The main window's own behaviour: the directory list, the thumbnail
// options and picture types, the menus and the configuration files, driven
// through objectNames.
#include "mainwindow/frm_main.h"

#include "gui_answers.h"
#include "pictures/vips_io.h"
#include "settings/advanced_config.h"

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
    ExtraFormats readable = ReadableExtraFormats();
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
    List()->setEditText("");
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
    width->setFocus(Qt::TabFocusReason);
    QCOMPARE(answers.Said(), QStringList{"Error!|This field can not be empty or zero!"});
    QCOMPARE(answers.messages[0].icon, QMessageBox::Critical);
    QTRY_VERIFY(height->hasFocus());
    QTest::keyClicks(height, "0");
    width->setFocus(Qt::TabFocusReason);
    QCOMPARE(answers.messages.size(), 2);  // 0 is no size either
    height->setText("80");
    width->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(width->hasFocus());
    QCOMPARE(answers.messages.size(), 2);
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
    QCOMPARE(window_->session().advanced.PageTitle, "From the file");
    QCOMPARE(Get<QLineEdit>("txtThumbH")->text(), "55");
    QVERIFY(Get<QAbstractButton>("optResByW")->isChecked());
    QCOMPARE(Get<QScrollBar>("hsbQuality")->value(), 60);
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

  void helpOpensTheTwoAddresses() {
    Answers answers;
    Trigger("mnuHelp1");
    Trigger("mnuHelp2");
    QCOMPARE(answers.Opened(),
             QStringList({"https://kesto.example/help", "https://mirror.kesto.example/help"}));
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
