// The About box: the web address and System Info.
#include "dialogs/frm_about.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "gui_answers.h"

class FrmAboutTest : public QObject {
  Q_OBJECT

 private:
  // Runs System Info with PATH holding only `path`.
  void SysInfoWithPath(const QString& path) {
    QByteArray old = qgetenv("PATH");
    qputenv("PATH", path.toLocal8Bit());
    frmAbout about(nullptr);
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    qputenv("PATH", old);
  }

 private slots:
  void theWebAddressOpensThroughTheDesktop() {
    Answers answers;
    frmAbout about(nullptr);
    emit about.findChild<QLabel*>("lblSite")->linkActivated(" https://kesto.example ");
    QCOMPARE(answers.desktop.size(), 1);
    QCOMPARE(answers.desktop[0].kind, DesktopRequest::kOpen);
    QCOMPARE(answers.desktop[0].target, "https://kesto.example");
  }

  void systemInfoStartsTheFirstProgramFound() {
    Answers answers;
    QTemporaryDir bin;
    for (const char* name : {"hardinfo", "gnome-system-monitor"}) {
      QFile tool(bin.filePath(name));
      QVERIFY(tool.open(QIODevice::WriteOnly));
      tool.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
    }
    SysInfoWithPath(bin.path());
    QCOMPARE(answers.desktop.size(), 1);
    QCOMPARE(answers.desktop[0].kind, DesktopRequest::kStart);
    QCOMPARE(answers.desktop[0].target, bin.filePath("gnome-system-monitor"));
    QVERIFY(answers.messages.isEmpty());
  }

  void systemInfoWithoutAProgramSaysSo() {
    Answers answers;
    QTemporaryDir empty;
    SysInfoWithPath(empty.path());
    QVERIFY(answers.desktop.isEmpty());
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(answers.messages[0].text, "System Information Is Unavailable At This Time");
    QCOMPARE(answers.messages[0].buttons, QMessageBox::Ok);
  }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
