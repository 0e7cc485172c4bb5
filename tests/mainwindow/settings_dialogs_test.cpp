// The settings dialogs from the main window: File > Settings, File > Load
// filling them, the commits at start-up, every Advanced field through a .cfg
// file, and galleries made after changing the dialogs.
#include "dialogs/colour_label.h"
#include "dialogs/frm_options.h"
#include "dialogs/frm_options2.h"
#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "run/fonts.h"
#include "settings/advanced_config.h"
#include "settings/express_config.h"

namespace {

// Gives every control of frmOptions a value other than its first one.
void ChangeEveryControl(QWidget* dialog) {
  for (const Binding<AdvancedSettings>& b : kAdvancedBindings) {
    QString name = b.control, value = QString("v-%1").arg(b.field);
    if (name == "txtFNameReplaceStr") value = "~";  // shorter than the letters kept
    QObject* widget = dialog->findChild<QObject*>(name);
    if (auto* box = qobject_cast<QLineEdit*>(widget))
      box->setText(box->maxLength() <= 4 ? QString::number(box->maxLength() + 5) : value);
    else if (auto* code = qobject_cast<QPlainTextEdit*>(widget))
      code->setPlainText("<i>" + value + "</i>");
    else if (auto* check = qobject_cast<QCheckBox*>(widget))
      check->setChecked(!check->isChecked());
    else if (auto* list = qobject_cast<QComboBox*>(widget))
      list->setCurrentIndex(list->count() - 1);
    else if (auto* label = qobject_cast<QLabel*>(widget))
      label->setText("<u>" + value + "</u>");
  }
  for (const char* option : {"optAsPrefix", "optBefore", "optOverwrite", "optMenuBoth"})
    Get<QRadioButton>(dialog, option)->setChecked(true);
}

}  // namespace

class SettingsDialogsTest : public QObject {
  Q_OBJECT

 private:
  std::string Path(const QString& name) { return tmp_->filePath(name).toStdString(); }
  // A main window in `mode` ("adv" or "exp") over the state folder, with
  // `autosave` as the mode's autosave when given, started.
  void OpenWindow(const char* mode, const std::string& autosave = "") {
    WriteFile(Path("nd.ini"), std::string("[General]\r\nMode=") + mode +
                                  "\r\nLoadLast=1\r\n[JPEG]\r\nQuality=75\r\n"
                                  "ResizeMethod=Height\r\nHeight=100\r\nWidth=100\r\n"
                                  "Progressive=0\r\n");
    bool express = mode == std::string("exp");
    if (!autosave.empty()) WriteFile(Path(express ? "tempexp.cfe" : "temp.cfg"), autosave);
    window_ = std::make_unique<frmMain>(tmp_->path().toStdString());
    QVERIFY(window_->StartUp());
  }
  // File > Settings, handing the dialog to `answer`, which must close it.
  void EditSettings(const std::function<void(QWidget*)>& answer) {
    bool shown = false;
    ModalAnswerer answerer([&](QWidget* dialog) {
      shown = dialog->objectName().startsWith("frmOptions");
      answer(dialog);
    });
    Trigger(window_.get(), "mnuEdit");
    QVERIFY(shown);
  }
  // What File > Settings shows now.
  Form Shown() {
    Form shown;
    EditSettings([&](QWidget* dialog) {
      if (auto* advanced = qobject_cast<frmOptions*>(dialog)) shown = advanced->Controls();
      if (auto* express = qobject_cast<frmOptions2*>(dialog)) shown = express->Controls();
      dialog->close();
    });
    return shown;
  }
  void NewStateFolder() {
    window_.reset();
    tmp_ = std::make_unique<QTemporaryDir>();
  }
  QString Config(const QString& name, const AdvancedSettings& record) {
    WriteFile(Path(name), AdvancedConfigText(record, ThumbOptions()));
    return tmp_->filePath(name);
  }
  // The first page of a run over a folder of one picture.
  std::string OnePictureGallery(const char* page) {
    QDir().mkpath(tmp_->filePath("pics"));
    QFile::copy(KESTO_SOURCE_DIR "/samples/pictures/Sunset_Beach.jpg",
                tmp_->filePath("pics/one.jpg"));
    Get<QComboBox>(window_.get(), "cboDirList")->addItem(tmp_->filePath("pics") + "/");
    ModalAnswerer report([](QWidget* modal) { modal->close(); });
    QSignalSpy ended(window_.get(), &frmMain::RunEnded);
    Click(window_.get(), "cmdProcess");
    ended.wait(60000);
    return ReadFile(Path(QString("pics/") + page));
  }

  // The autosave restored and committed at start-up, a cancelled File >
  // Settings and File > Load.
  void ShowsTheCommittedRecordUntilALoad(bool advanced) {
    Answers answers;
    AdvancedSettings loaded;
    loaded.PageTitle = "Loaded";
    loaded.UseHeader = "1.0";  // the commit writes what the check box shows
    OpenWindow(advanced ? "adv" : "exp",
               advanced
                   ? AdvancedConfigText(loaded, {75, "Height", "33", "100", 0})
                   : "[Express]\r\nQuality=75\r\nExpressUpdate=True\r\nExpressOverwrite=False\r\n"
                     "ExpressPageTitle=Loaded\r\nExpressFontFace=0\r\n");
    const auto& session = window_->session();
    if (advanced) {  // the autosave's thumbnail options reach the window too
      QCOMPARE(session.advanced.UseHeader, "1");
      QCOMPARE(Get<QLineEdit>(window_.get(), "txtThumbH")->text(), "33");
      QCOMPARE(session.express.ExpressPageTitle, ExpressSettings().ExpressPageTitle);
    } else {  // the record names the font the dialog showed, and a missing key as shown
      QCOMPARE(session.express.ExpressFontName, FontFamilyAt(0));
      QCOMPARE(session.express.ExpressRows, "<no value>");
    }
    const std::string menu = session.express.ExpressMenuLocation;
    EditSettings([&](QWidget* dialog) {  // Cancel changes nothing
      Get<QLineEdit>(dialog, "txtPageTitle")->setText("Never");
      if (!advanced) Trigger(dialog, "mnuMenuTop");
      Click(dialog, "cmdOptCancel");
    });
    QCOMPARE(session.express.ExpressMenuLocation, menu);
    QCOMPARE(advanced ? session.advanced.PageTitle : session.express.ExpressPageTitle, "Loaded");
    QCOMPARE(Shown().at("txtPageTitle").text, "Loaded");
    AdvancedSettings file;
    ExpressSettings express_file;
    file.PageTitle = express_file.ExpressPageTitle = "From File > Load";
    QString path = tmp_->filePath(advanced ? "other.cfg" : "other.cfe");
    std::string err;
    QVERIFY(advanced ? SaveAdvancedConfig(path.toStdString(), file, ThumbOptions(), &err)
                     : SaveExpressConfig(path.toStdString(), express_file, ThumbOptions(), &err));
    answers.paths = {path};
    Trigger(window_.get(), "mnuLoad");
    QCOMPARE(Shown().at("txtPageTitle").text, "From File > Load");
    QVERIFY(answers.messages.isEmpty());
  }

  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<frmMain> window_;

 private slots:
  void init() { tmp_ = std::make_unique<QTemporaryDir>(); }
  void cleanup() {
    window_.reset();
    tmp_.reset();
  }

  void settingsShowsTheCommittedRecordUntilALoad() {
    for (bool advanced : {true, false}) {
      ShowsTheCommittedRecordUntilALoad(advanced);
      NewStateFolder();
    }
  }
  void refusedStartUpCommitsAreShownAndCommitNothing() {
    Answers answers;
    AdvancedSettings loaded;
    loaded.ThumbExt = "";
    loaded.StoreInSub = "0";
    loaded.PageTitle = "Kept";
    OpenWindow("adv", AdvancedConfigText(loaded, ThumbOptions()));
    QCOMPARE(answers.Said(),
             QStringList{"Error!|You have selected to store thumbnails in the same folder\n"
                         "and, at the same time, have not specified thumb\n"
                         "extension. Doing so is illegal and unconstitutional.\n"
                         "Either check 'Store in subfolder' or specify thumb extension."});
    Form shown = Shown();
    QCOMPARE(shown.at("txtPageTitle").text, "Kept");
    QVERIFY(!shown.at("chkStoreInSub").checked);

    NewStateFolder();
    OpenWindow("exp",
               "[Express]\r\nQuality=75\r\nExpressUpdate=True\r\nExpressOverwrite=False\r\n"
               "ExpressGuessName=1\r\nExpressNamePattern=0\r\n");
    QCOMPARE(answers.Said()[1],
             "Error!|You activated Guess Image Title\n"
             "but did not select file naming pattern.");
    QCOMPARE(window_->session().express.ExpressFontName, "");

    NewStateFolder();  // an autosave that cannot fill the dialog
    loaded.GenMenu = "on";
    OpenWindow("adv", AdvancedConfigText(loaded, ThumbOptions()));
    QCOMPARE(answers.Said()[2], "Error|GenMenu is not a number: \"on\"");
    QCOMPARE(window_->session().advanced.GenMenu, "on");  // nothing committed

    NewStateFolder();  // a loaded one, told once
    OpenWindow("adv");
    answers.paths = {Config("bad.cfg", loaded)};
    Trigger(window_.get(), "mnuLoad");
    Shown();
    QCOMPARE(answers.Said().mid(3), QStringList{"Error|GenMenu is not a number: \"on\""});
  }

  // A damaged autosave: each dialog shows what was read, so neither OK nor
  // the close writes first values over the good autosave.
  void aDamagedAutosaveLeavesTheOtherInItsDialogAndFile() {
    Answers answers;
    AdvancedSettings good;
    good.PageTitle = "Good";
    WriteFile(Path("tempexp.cfe"), "[Express]\r\nQuality=75\r\nExpressPageTitle=Half\r\n");
    OpenWindow("adv", AdvancedConfigText(good, ThumbOptions()));
    QCOMPARE(answers.messages.size(), 1);
    EditSettings([](QWidget* dialog) { Click(dialog, "cmdOptOk"); });
    QCOMPARE(window_->session().advanced.PageTitle, "Good");
    QVERIFY(window_->close());
    QVERIFY(ReadFile(Path("temp.cfg")).find("\r\nGood\r\n") != std::string::npos);
  }

  void everyFieldSurvivesWindowRecordFileRecordWindow() {
    Answers answers;
    OpenWindow("adv");
    answers.paths = {"/snipplets/row two.html"};
    Form set;
    EditSettings([&](QWidget* dialog) {
      ChangeEveryControl(dialog);
      Get<QLineEdit>(dialog, "txtRows")->setText("5");
      auto* rows = Get<QListWidget>(dialog, "lstRows");
      rows->setCurrentRow(1);
      rows->item(1)->setSelected(true);
      Click(dialog, "cmdLoadSnipplet");
      set = static_cast<frmOptions*>(dialog)->Controls();
      Click(dialog, "cmdOptOk");
    });
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.value(0).text));
    QCOMPARE(window_->session().advanced.SnippletRows, "2");
    answers.paths = {tmp_->filePath("every.cfg"), Config("first.cfg", AdvancedSettings()),
                     tmp_->filePath("every.cfg")};
    Trigger(window_.get(), "Save");
    Trigger(window_.get(), "mnuLoad");
    QCOMPARE(Shown().at("txtPageTitle").text, "Page");
    Trigger(window_.get(), "mnuLoad");
    Form shown = Shown();
    for (const auto& [name, control] : set) {
      const Control& back = shown.at(name);
      bool current_kept = name == "lstRows" || back.index == control.index;  // not in a file
      QVERIFY2(back.text == control.text && back.checked == control.checked && current_kept &&
                   back.entries == control.entries && back.selected == control.selected,
               name.c_str());
    }
    QCOMPARE(shown.at("lstRows").entries[1], " 2  /snipplets/row two.html");
  }

  void aGalleryShowsWhatTheDialogsChanged() {
    Answers answers;
    OpenWindow("adv");
    EditSettings([](QWidget* dialog) {
      Get<QPlainTextEdit>(dialog, "txtCellCode")
          ->setPlainText("<TD class=mine>\n[IMAGE FILE NAME]</TD>");
      Click(dialog, "cmdOptOk");
    });
    std::string page = OnePictureGallery("page_01.html");
    QVERIFY2(page.find("<TD class=mine> one.jpg</TD>") != std::string::npos, page.c_str());

    NewStateFolder();  // the colours and font chosen in the Express dialog
    QStringList families = QStrings(FontFamilies());
    answers.colours = {QColor(0x12, 0x34, 0x56)};
    OpenWindow("exp");
    EditSettings([&](QWidget* dialog) {
      Get<ColourLabel>(dialog, "ColorPageBack")->SetColor();
      auto* fonts = Get<QComboBox>(dialog, "cboFonts");
      QCOMPARE(Entries(fonts), families);  // kesto-cli's list
      fonts->setCurrentIndex(families.size() - 1);
      Click(dialog, "cmdOptOk");
    });
    page = OnePictureGallery("page1.html");
    QVERIFY2(page.find("<BODY bgcolor=#123456") != std::string::npos, page.c_str());
    QVERIFY(page.find("face=\"" + families.last().toStdString() + "\"") != std::string::npos);
  }
};

QTEST_MAIN(SettingsDialogsTest)
#include "settings_dialogs_test.moc"
