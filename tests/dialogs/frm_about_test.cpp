// The About box: the web address and System Info.
#include "dialogs/frm_about.h"

#include "gui_answers.h"

class FrmAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void theWebAddressOpensThroughTheDesktop() {
    Answers answers;
    frmAbout about(nullptr);
    emit Get<QLabel>(&about, "lblSite")->linkActivated(" https://kesto.example ");
    QCOMPARE(answers.Opened(), QStringList{"https://kesto.example"});
    QCOMPARE(answers.desktop[0].kind, DesktopRequest::kOpen);
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
      Click(&about, "cmdSysInfo");
    }
    qputenv("PATH", old);
    QCOMPARE(answers.Opened(), QStringList{bin.filePath("gnome-system-monitor")});
    QCOMPARE(answers.desktop[0].kind, DesktopRequest::kStart);
    QCOMPARE(answers.Said(), QStringList{"KESTO|System Information Is Unavailable At This Time"});
    QCOMPARE(answers.messages[0].buttons, QMessageBox::Ok);
  }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
