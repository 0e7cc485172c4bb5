// Signals from outside close the shown main windows, once.
#include "mainwindow/close_on_signal.h"

#include <QCloseEvent>
#include <QMainWindow>
#include <QtTest>
#include <csignal>

namespace {

class Window : public QMainWindow {
 public:
  explicit Window(bool refuse = false) : refuse_(refuse) {}
  int asked = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++asked;
    if (refuse_) event->ignore();
  }

 private:
  bool refuse_;
};

}  // namespace

class CloseOnSignalTest : public QObject {
  Q_OBJECT

 private slots:
  void aSignalAsksTheShownMainWindowsToCloseOnce() {
    Window shown, refusing(true), hidden;
    shown.show();
    refusing.show();
    QWidget other;  // not a main window
    other.show();
    CloseOnSignals();
    std::raise(SIGTERM);
    QTRY_VERIFY(!shown.isVisible());
    QCOMPARE(shown.asked, 1);
    QCOMPARE(refusing.asked, 1);
    QVERIFY(refusing.isVisible());
    QCOMPARE(hidden.asked, 0);
    QVERIFY(other.isVisible());
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {  // the next one ends the program
      struct sigaction now = {};
      sigaction(sig, nullptr, &now);
      QVERIFY2(now.sa_handler == SIG_DFL, qPrintable(QString::number(sig)));
    }
  }
};

QTEST_MAIN(CloseOnSignalTest)
#include "close_on_signal_test.moc"
