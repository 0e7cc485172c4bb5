// The Advanced settings dialog from the main window: File > Settings, File >
// Load filling it, the commits at start-up, every field through a .cfg file,
// and a gallery made after changing the cell code in the dialog.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "dialogs/frm_options.h"
#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "settings/advanced_config.h"
#include "temp_folder.h"

namespace {

template <typename T>
T* Get(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(name);
  if (!child) qFatal("no control %s", name);
  return child;
}

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

class AdvancedSettingsTest : public QObject {
  Q_OBJECT

 private:
  std::string Path(const QString& name) { return tmp_->filePath(name).toStdString(); }
  // An Advanced main window over the state folder, started when `start`.
  void OpenWindow(const std::string& temp_cfg = "", bool start = true) {
    WriteFile(Path("nd.ini"),
              "[General]\r\nMode=adv\r\nLoadLast=1\r\n[JPEG]\r\nQuality=75\r\n"
              "ResizeMethod=Height\r\nHeight=100\r\nWidth=100\r\nProgressive=0\r\n");
    if (!temp_cfg.empty()) WriteFile(Path("temp.cfg"), temp_cfg);
    window_ = std::make_unique<frmMain>(tmp_->path().toStdString());
    if (start) QVERIFY(window_->StartUp());
  }
  void Trigger(const char* action) { Get<QAction>(window_.get(), action)->trigger(); }
  // File > Settings, handing the dialog to `answer`, which must close it.
  void EditSettings(const std::function<void(QWidget*)>& answer) {
    bool shown = false;
    ModalAnswerer answerer([&](QWidget* dialog) {
      shown = dialog->objectName() == "frmOptions";
      answer(dialog);
    });
    Trigger("mnuEdit");
    QVERIFY(shown);
  }
  // What File > Settings shows now.
  Form Shown() {
    Form shown;
    EditSettings([&](QWidget* dialog) {
      shown = static_cast<frmOptions*>(dialog)->Controls();
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
  void init() { tmp_ = std::make_unique<QTemporaryDir>(); }
  void cleanup() {
    window_.reset();
    tmp_.reset();
  }

  void loadFillsTheDialogAndASecondFileBringsOnlyItsOwnSnipplets() {
    Answers answers;
    OpenWindow("", false);  // nothing committed: the dialog shows what Load filled
    AdvancedSettings first;
    first.PageTitle = "First";
    first.Rows = "3";
    first.SnippletFiles = "/x/ad.html?0^^$$^^";
    first.SnippletRows = "1";
    AdvancedSettings second;
    second.PageTitle = "Second";
    second.Rows = "4";
    answers.paths = {Config("first.cfg", first), Config("second.cfg", second)};
    Trigger("mnuLoad");
    Trigger("mnuLoad");
    Form shown = Shown();
    QCOMPARE(shown.at("txtPageTitle").text, "Second");
    QCOMPARE(shown.at("lstRows").entries,
             std::vector<std::string>({" 1   ", " 2   ", " 3   ", " 4   "}));
    QCOMPARE(shown.at("lstRows").selected, std::vector<bool>(4, false));
    QVERIFY(answers.messages.isEmpty());
  }

  void afterStartUpSettingsShowsTheRecordAgainAfterCancel() {
    Answers answers;
    AdvancedSettings loaded;
    loaded.PageTitle = "Loaded";
    loaded.UseHeader = "1.0";  // the commit writes what the check box shows
    OpenWindow(AdvancedConfigText(loaded, ThumbOptions()));
    QCOMPARE(window_->session().advanced.UseHeader, "1");
    EditSettings([](QWidget* dialog) {
      Get<QLineEdit>(dialog, "txtPageTitle")->setText("Never");
      Get<QPushButton>(dialog, "cmdOptCancel")->click();
    });
    QCOMPARE(window_->session().advanced.PageTitle, "Loaded");
    QCOMPARE(Shown().at("txtPageTitle").text, "Loaded");
    AdvancedSettings file;
    file.PageTitle = "From File > Load";
    answers.paths = {Config("other.cfg", file)};
    Trigger("mnuLoad");
    QCOMPARE(Shown().at("txtPageTitle").text, "From File > Load");
    QVERIFY(answers.messages.isEmpty());
  }

  void aStartUpCommitThatIsRefusedKeepsTheDialogAsLoaded() {
    Answers answers;
    AdvancedSettings loaded;
    loaded.ThumbExt = "";
    loaded.StoreInSub = "0";
    loaded.PageTitle = "Kept";
    OpenWindow(AdvancedConfigText(loaded, ThumbOptions()));
    QCOMPARE(answers.messages.size(), 1);
    QVERIFY(answers.messages[0].text.startsWith("You have selected to store thumbnails"));
    Form shown = Shown();
    QCOMPARE(shown.at("txtPageTitle").text, "Kept");
    QVERIFY(!shown.at("chkStoreInSub").checked);
  }

  void anAutosaveThatCannotFillTheDialogIsReported() {
    Answers answers;
    AdvancedSettings loaded;
    loaded.GenMenu = "on";
    OpenWindow(AdvancedConfigText(loaded, ThumbOptions()));
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].title, "Error");
    QCOMPARE(answers.messages[0].text, "GenMenu is not a number: \"on\"");
    QCOMPARE(window_->session().advanced.GenMenu, "on");  // nothing committed
  }

  void everyFieldSurvivesWindowRecordFileRecordWindow() {
    Answers answers;
    OpenWindow();
    answers.paths = {"/snipplets/row two.html"};
    Form set;
    EditSettings([&](QWidget* dialog) {
      ChangeEveryControl(dialog);
      Get<QLineEdit>(dialog, "txtRows")->setText("5");
      auto* rows = Get<QListWidget>(dialog, "lstRows");
      rows->setCurrentRow(1);
      rows->item(1)->setSelected(true);
      Get<QPushButton>(dialog, "cmdLoadSnipplet")->click();
      set = static_cast<frmOptions*>(dialog)->Controls();
      Get<QPushButton>(dialog, "cmdOptOk")->click();
    });
    QVERIFY2(answers.messages.isEmpty(), qPrintable(answers.messages.value(0).text));
    QCOMPARE(window_->session().advanced.SnippletRows, "2");
    answers.paths = {tmp_->filePath("every.cfg"), Config("first.cfg", AdvancedSettings()),
                     tmp_->filePath("every.cfg")};
    Trigger("Save");
    Trigger("mnuLoad");
    QCOMPARE(Shown().at("txtPageTitle").text, "Page");
    Trigger("mnuLoad");
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

  void aGalleryShowsTheCellCodeChangedInTheDialog() {
    Answers answers;
    OpenWindow();
    EditSettings([](QWidget* dialog) {
      Get<QPlainTextEdit>(dialog, "txtCellCode")
          ->setPlainText("<TD class=mine>\n[IMAGE FILE NAME]</TD>");
      Get<QPushButton>(dialog, "cmdOptOk")->click();
    });
    QDir().mkpath(tmp_->filePath("pics"));
    QFile::copy(KESTO_SOURCE_DIR "/samples/pictures/Sunset_Beach.jpg",
                tmp_->filePath("pics/one.jpg"));
    Get<QComboBox>(window_.get(), "cboDirList")->addItem(tmp_->filePath("pics") + "/");
    ModalAnswerer report([](QWidget* modal) { modal->close(); });
    Get<QPushButton>(window_.get(), "cmdProcess")->click();
    std::string page = ReadFile(Path("pics/page_01.html"));
    QVERIFY2(page.find("<TD class=mine> one.jpg</TD>") != std::string::npos, page.c_str());
  }
};

QTEST_MAIN(AdvancedSettingsTest)
#include "advanced_settings_test.moc"
