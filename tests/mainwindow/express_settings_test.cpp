// The Express settings dialog from the main window: File > Settings, File >
// Load filling it, the commit at start-up, and a gallery made after changing
// colours and font in the dialog.
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "dialogs/colour_label.h"
#include "dialogs/font_list.h"
#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "settings/express_config.h"
#include "temp_folder.h"

namespace {

template <typename T>
T* Get(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(name);
  if (!child) qFatal("no control %s", name);
  return child;
}

QString Text(QWidget* window, const char* box) { return Get<QLineEdit>(window, box)->text(); }

}  // namespace

class ExpressSettingsTest : public QObject {
  Q_OBJECT

 private:
  std::string Path(const QString& name) { return tmp_->filePath(name).toStdString(); }
  // An Express main window over the state folder, started when `start`.
  void OpenWindow(const std::string& tempexp = "", bool start = true) {
    WriteFile(Path("nd.ini"),
              "[General]\r\nMode=exp\r\nLoadLast=1\r\n[JPEG]\r\nQuality=75\r\n"
              "ResizeMethod=Height\r\nHeight=100\r\nWidth=100\r\nProgressive=0\r\n");
    if (!tempexp.empty()) WriteFile(Path("tempexp.cfe"), tempexp);
    window_ = std::make_unique<frmMain>(tmp_->path().toStdString());
    if (start)
      QVERIFY(window_->StartUp());
    else
      Get<QAction>(window_.get(), "mnuModeExp")->trigger();
  }
  // File > Settings, handing the dialog to `answer`, which must close it.
  void EditSettings(const std::function<void(QWidget*)>& answer) {
    bool shown = false;
    ModalAnswerer answerer([&](QWidget* dialog) {
      shown = dialog->objectName() == "frmOptions2";
      answer(dialog);
    });
    Get<QAction>(window_.get(), "mnuEdit")->trigger();
    QVERIFY(shown);
  }

  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<frmMain> window_;

 private slots:
  void init() { tmp_ = std::make_unique<QTemporaryDir>(); }
  void cleanup() {
    window_.reset();
    tmp_.reset();
  }

  void startUpCommitsTheDialogSoTheRecordNamesTheFont() {
    Answers answers;
    OpenWindow(
        "[Express]\r\nQuality=75\r\nExpressUpdate=True\r\nExpressOverwrite=False\r\n"
        "ExpressPageTitle=From the autosave\r\nExpressFontFace=0\r\n");
    QVERIFY(answers.messages.isEmpty());
    const ExpressSettings& record = window_->session().express;
    QCOMPARE(record.ExpressFontName, FontFamilyAt(0).toStdString());
    QCOMPARE(record.ExpressPageTitle, "From the autosave");
    QCOMPARE(record.ExpressRows, "<no value>");  // a missing key, as the dialog showed it
  }

  void aRefusedCommitAtStartUpIsShownAndKeepsTheRecord() {
    Answers answers;
    OpenWindow(
        "[Express]\r\nQuality=75\r\nExpressUpdate=True\r\nExpressOverwrite=False\r\n"
        "ExpressGuessName=1\r\nExpressNamePattern=0\r\n");
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text,
             "You activated Guess Image Title\nbut did not select file naming pattern.");
    QCOMPARE(window_->session().express.ExpressFontName, "");
  }

  void cancelKeepsTheRecordAndTheNextOpeningShowsIt() {
    Answers answers;
    OpenWindow();
    EditSettings([](QWidget* dialog) {
      Get<QLineEdit>(dialog, "txtPageTitle")->setText("Never");
      Get<QPushButton>(dialog, "cmdOptCancel")->click();
    });
    QCOMPARE(window_->session().express.ExpressPageTitle, "Gallery");
    QString title;
    EditSettings([&](QWidget* dialog) {
      title = Text(dialog, "txtPageTitle");
      dialog->close();
    });
    QCOMPARE(title, "Gallery");
  }

  void loadFillsTheDialogAndSelectsTheFontByName() {
    QStringList families = SortedFontFamilies();
    if (families.size() < 2) QSKIP("the test needs two font families");
    Answers answers;
    OpenWindow("", false);  // nothing committed: the dialog shows what Load filled
    ExpressSettings file;
    file.ExpressPageTitle = "Loaded";
    file.ExpressFontFace = "0";
    file.ExpressFontName = families[1].toStdString();
    std::string err;
    QVERIFY(SaveExpressConfig(Path("loaded.cfe"), file, ThumbOptions(), &err));
    answers.paths = {tmp_->filePath("loaded.cfe")};
    Get<QAction>(window_.get(), "mnuLoad")->trigger();
    QString title, font;
    EditSettings([&](QWidget* dialog) {
      title = Text(dialog, "txtPageTitle");
      font = Get<QComboBox>(dialog, "cboFonts")->currentText();
      dialog->close();
    });
    QCOMPARE(title, "Loaded");
    QCOMPARE(font, families[1]);
  }

  void aGalleryCarriesTheColoursAndFontChosenInTheDialog() {
    QStringList families = SortedFontFamilies();
    Answers answers;
    answers.colours = {QColor(0x12, 0x34, 0x56)};
    OpenWindow();
    EditSettings([&](QWidget* dialog) {
      Get<ColourLabel>(dialog, "ColorPageBack")->SetColor();
      Get<QComboBox>(dialog, "cboFonts")->setCurrentIndex(families.size() - 1);
      Get<QPushButton>(dialog, "cmdOptOk")->click();
    });
    QDir().mkpath(tmp_->filePath("pics"));
    QFile::copy(KESTO_SOURCE_DIR "/samples/pictures/" +
                    QDir(KESTO_SOURCE_DIR "/samples/pictures").entryList(QDir::Files).first(),
                tmp_->filePath("pics/one.jpg"));
    Get<QComboBox>(window_.get(), "cboDirList")->addItem(tmp_->filePath("pics") + "/");
    ModalAnswerer report([](QWidget* modal) { modal->close(); });
    Get<QPushButton>(window_.get(), "cmdProcess")->click();
    std::string page = ReadFile(Path("pics/page1.html"));
    QVERIFY2(page.find("<BODY bgcolor=#123456") != std::string::npos, page.c_str());
    QVERIFY(page.find("face=\"" + families.last().toStdString() + "\"") != std::string::npos);
  }
};

QTEST_MAIN(ExpressSettingsTest)
#include "express_settings_test.moc"
