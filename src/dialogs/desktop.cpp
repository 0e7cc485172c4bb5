#include "dialogs/desktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {

DesktopHook& Hook() {
  static DesktopHook hook;
  return hook;
}

}  // namespace

bool OpenThroughDesktop(const QString& url) {
  if (Hook()) return Hook()({DesktopRequest::kOpen, url});
  return QDesktopServices::openUrl(QUrl(url));
}

bool StartProgram(const QString& path) {
  if (Hook()) return Hook()({DesktopRequest::kStart, path});
  return QProcess::startDetached(path, {});
}

void SetDesktopHook(DesktopHook hook) { Hook() = std::move(hook); }
