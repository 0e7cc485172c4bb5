#include "mainwindow/close_on_signal.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int signal_pipe[2] = {-1, -1};  // written by the handler, read by the event loop

// Only async-signal-safe calls: the next signal takes the default action.
void OnSignal(int) {
  int saved = errno;
  for (int sig : kSignals) std::signal(sig, SIG_DFL);
  char byte = 1;
  [[maybe_unused]] ssize_t written = write(signal_pipe[1], &byte, 1);
  errno = saved;
}

// Cancels every open dialog, then asks the shown main windows to close.
void CloseWindows() {
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (QWidget* window : windows)
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
      dialog->reject();
  for (QWidget* window : windows)
    if (window->isVisible() && qobject_cast<QMainWindow*>(window)) window->close();
}

void CloseFromNowOn() {
  CloseWindows();
  auto* again = new QTimer(qApp);
  again->callOnTimeout(CloseWindows);
  again->start(100);
}

}  // namespace

bool CloseOnSignals(std::string* err) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) {
    *err = std::string("SIGTERM, SIGINT and SIGHUP end the program without saving its state: ") +
           "no socket for them (" + std::strerror(errno) + ")";
    return false;
  }
  auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char byte;
    if (read(signal_pipe[0], &byte, 1) == 1) CloseFromNowOn();
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : kSignals) sigaction(sig, &action, nullptr);
  return true;
}
