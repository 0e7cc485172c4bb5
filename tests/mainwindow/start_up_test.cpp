// Start-up and shut-down of the main window over a temporary state folder.

#include "gui_answers.h"
#include "mainwindow/frm_main.h"
#include "settings/advanced_config.h"

class StartUpTest : public QObject {
  Q_OBJECT

 private:
  std::string Path(const char* name) { return tmp_->filePath(name).toStdString(); }
  std::string Read(const char* name) { return ReadFile(Path(name)); }
  void Write(const char* name, const std::string& text) { WriteFile(Path(name), text); }
  bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  static QListWidgetItem* Format(frmMain& window, const char* label) {
    return Get<QListWidget>(&window, "lstFormats")->findItems(label, Qt::MatchExactly).value(0);
  }

  std::unique_ptr<QTemporaryDir> tmp_;

 private slots:
  void init() { tmp_ = std::make_unique<QTemporaryDir>(); }
  void cleanup() { tmp_.reset(); }

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
    QVERIFY(Get<QAction>(&window, "mnuModeExp")->isChecked());
    QVERIFY(!Get<QAction>(&window, "mnuModeAdv")->isChecked());
    QCOMPARE(Get<QScrollBar>(&window, "hsbQuality")->value(), 42);
    QVERIFY(Get<QAbstractButton>(&window, "optResByHW")->isChecked());
    QCOMPARE(Get<QLineEdit>(&window, "txtThumbH")->text(), "12");
    QVERIFY(Get<QCheckBox>(&window, "chkProgressive")->isChecked());
    QCOMPARE(Entries(Get<QComboBox>(&window, "cboDirList")), QStringList({"/a/", "/b/"}));
    QCOMPARE(Get<QComboBox>(&window, "cboDirList")->currentText(), "/a/");
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
    QCOMPARE(Get<QComboBox>(&window, "cboDirList")->currentText(), "/kept/");
  }

  // The window's controls reach the state file when it closes, and come back
  // from it (which files the choice of LoadLast writes is the session's test).
  void closingWritesTheStateOfTheControls() {
    Answers answers;
    Write("nd.ini", "[General]\r\nMode=adv\r\nLoadLast=0\r\n");
    {
      frmMain window(tmp_->path().toStdString());
      QVERIFY(window.StartUp());
      Get<QAction>(&window, "mnuModeExp")->trigger();
      Get<QScrollBar>(&window, "hsbQuality")->setValue(60);
      Get<QComboBox>(&window, "cboDirList")->addItem("/pics/");
      Get<QCheckBox>(&window, "chkLoadLast")->setChecked(true);
      for (const char* type : {"PNG", "TIFF"}) Format(window, type)->setCheckState(Qt::Checked);
      QVERIFY(window.close());
    }
    std::string ini = Read("nd.ini");
    QVERIFY(Has(ini, "Mode=exp\r\nLoadLast=1\r\n"));
    QVERIFY(Has(ini, "\r\nExtraFormats=png,tiff\r\n"));
    QVERIFY(Has(ini, "Quality=60\r\n"));
    QVERIFY(Has(ini, "1=/pics/\r\n#=1\r\n"));
    frmMain again(tmp_->path().toStdString());
    QVERIFY(again.StartUp());
    QVERIFY(Get<QAction>(&again, "mnuModeExp")->isChecked());
    QVERIFY(Get<QCheckBox>(&again, "chkLoadLast")->isChecked());
    QCOMPARE(Get<QScrollBar>(&again, "hsbQuality")->value(), 60);
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
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
