#include "mainwindow/close_on_signal.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

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

void CloseMainWindows() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && qobject_cast<QMainWindow*>(window)) window->close();
}

}  // namespace

void CloseOnSignals() {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char byte;
    if (read(signal_pipe[0], &byte, 1) == 1) CloseMainWindows();
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : kSignals) sigaction(sig, &action, nullptr);
}
