// The settings dialogs from the main window: their controls, File > Settings
// and File > Load, the commits at start-up, every Advanced field through a .cfg.
#include "dialogs/frm_options.h"
#include "dialogs/frm_options2.h"
#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "run/fonts.h"
#include "settings/advanced_config.h"

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
  // A main window in `mode` ("adv" or "exp") over a new state folder, started
  // with `autosave` as the mode's autosave and `other` as the other's.
  void OpenWindow(const char* mode, const std::string& autosave = "",
                  const std::string& other = "") {
    window_.reset();
    tmp_ = std::make_unique<QTemporaryDir>();
    WriteFile(Path("nd.ini"), std::string("[General]\r\nMode=") + mode +
                                  "\r\nLoadLast=1\r\n[JPEG]\r\nQuality=75\r\n"
                                  "ResizeMethod=Height\r\nHeight=100\r\nWidth=100\r\n");
    bool express = mode == std::string("exp");
    if (!autosave.empty()) WriteFile(Path(express ? "tempexp.cfe" : "temp.cfg"), autosave);
    if (!other.empty()) WriteFile(Path(express ? "temp.cfg" : "tempexp.cfe"), other);
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
      auto* advanced = qobject_cast<frmOptions*>(dialog);
      shown = advanced ? advanced->Controls() : static_cast<frmOptions2*>(dialog)->Controls();
      dialog->close();
    });
    return shown;
  }
  QString Config(const QString& name, const AdvancedSettings& record) {
    WriteFile(Path(name), AdvancedConfigText(record, ThumbOptions()));
    return tmp_->filePath(name);
  }

  std::unique_ptr<QTemporaryDir> tmp_;
  std::unique_ptr<frmMain> window_;

 private slots:
  void cleanup() {
    window_.reset();
    tmp_.reset();
  }

  void everyControlHasItsWidget() {
    for (const char* mode : {"adv", "exp"}) {
      OpenWindow(mode);
      Form form = *mode == 'a' ? NewAdvancedForm() : NewExpressForm({}, FontFamilies());
      EditSettings([&](QWidget* dialog) {
        for (const auto& [name, control] : form)
          QVERIFY2(dialog->findChild<QObject*>(QString::fromStdString(name)), name.c_str());
        dialog->close();
      });
    }
  }

  // A refused commit, and an autosave that cannot fill the dialog, are told
  // once and commit nothing.
  void refusedStartUpCommitsAreShownAndCommitNothing() {
    Answers answers;
    AdvancedSettings loaded;
    loaded.ThumbExt = "";
    loaded.StoreInSub = "0";
    loaded.PageTitle = "Kept";
    OpenWindow("adv", AdvancedConfigText(loaded, ThumbOptions()));
    QCOMPARE(answers.messages.size(), 1);
    Form shown = Shown();
    QVERIFY(shown.at("txtPageTitle").text == "Kept" && !shown.at("chkStoreInSub").checked);
    OpenWindow("exp",
               "[Express]\r\nQuality=75\r\nExpressUpdate=True\r\nExpressOverwrite=False\r\n"
               "ExpressGuessName=1\r\nExpressNamePattern=0\r\n");
    QVERIFY(answers.messages.size() == 2 && window_->session().express.ExpressFontName.empty());
    loaded.GenMenu = "on";
    OpenWindow("adv", AdvancedConfigText(loaded, ThumbOptions()));
    QCOMPARE(window_->session().advanced.GenMenu, "on");  // nothing committed
    OpenWindow("adv");                                    // a loaded one, told once
    answers.paths = {Config("bad.cfg", loaded)};
    Trigger(window_.get(), "mnuLoad");
    Shown();
    QCOMPARE(answers.Said().mid(2), QStringList(2, "Error|GenMenu is not a number: \"on\""));
  }

  // A damaged autosave: each dialog shows what was read, so neither OK nor
  // the close writes first values over the good autosave.
  void aDamagedAutosaveLeavesTheOtherInItsDialogAndFile() {
    Answers answers;
    AdvancedSettings good;
    good.PageTitle = "Good";
    OpenWindow("adv", AdvancedConfigText(good, ThumbOptions()),
               "[Express]\r\nQuality=75\r\nExpressPageTitle=Half\r\n");
    QCOMPARE(answers.messages.size(), 1);
    EditSettings([](QWidget* dialog) { Click(dialog, "cmdOptOk"); });
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
      Get<QListWidget>(dialog, "lstRows")->setCurrentRow(1);
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
};

QTEST_MAIN(SettingsDialogsTest)
#include "settings_dialogs_test.moc"
