#include "dialogs/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

ClipboardHook& Hook() {
  static ClipboardHook hook;
  return hook;
}

}  // namespace

void PutOnClipboard(const QString& text) {
  if (Hook()) {
    Hook()(text);
    return;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(text);
}

void SetClipboardHook(ClipboardHook hook) { Hook() = std::move(hook); }
