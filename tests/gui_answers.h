// Answers what the windows ask a person (message boxes, file pickers, the
// colour dialog, the desktop, the clipboard, modal windows) and keeps what
// they asked, and finds and works controls by objectName, for the window
// tests. It brings Qt Widgets, Qt Test and the temporary files along.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "dialogs/clipboard.h"
#include "dialogs/colour_dialog.h"
#include "dialogs/desktop.h"
#include "dialogs/file_dialog.h"
#include "dialogs/message_box.h"
#include "temp_folder.h"

/// Hooks that answer for one test; removed when it goes. Each list of
/// answers is taken in order, then Ok, cancel, off, cancel.
struct Answers {
  Answers() {
    SetMessageHook([this](const MessageRequest& request) {
      messages << request;
      if (messages.size() > 50) qFatal("message boxes without end: %s", qPrintable(request.text));
      return buttons.isEmpty() ? QMessageBox::Ok : buttons.takeFirst();
    });
    SetFileHook([this](const FileRequest& request) {
      files << request;
      return paths.isEmpty() ? QString() : paths.takeFirst();
    });
    SetOptionHook([this](const QString&) { return !options.isEmpty() && options.takeFirst(); });
    SetColourHook([this](const QColor& initial) {
      colour_starts << initial;
      return colours.isEmpty() ? QColor() : colours.takeFirst();
    });
    SetDesktopHook([this](const DesktopRequest& request) { return desktop << request, true; });
    SetClipboardHook([](const QString&) {});
  }
  ~Answers() {
    SetMessageHook({}), SetFileHook({}), SetOptionHook({}), SetColourHook({});
    SetDesktopHook({}), SetClipboardHook({});
  }
  Answers(const Answers&) = delete;
  Answers& operator=(const Answers&) = delete;

  /// Every message box so far as "title|text".
  QStringList Said() const {
    QStringList said;
    for (const MessageRequest& m : messages) said << m.title + "|" + m.text;
    return said;
  }

  QList<QMessageBox::StandardButton> buttons;
  QStringList paths;
  QList<bool> options;  // the check boxes of pickers
  QList<QColor> colours;
  QList<MessageRequest> messages;
  QList<FileRequest> files;
  QList<QColor> colour_starts;  // the colour each colour dialog started at
  QList<DesktopRequest> desktop;
};

/// Hands every modal window that opens while it lives to `answer`, which
/// must close it.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer) {
    timer_.callOnTimeout([answer] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal && modal->isVisible()) answer(modal);
    });
    timer_.start(5);
  }

 private:
  QTimer timer_;
};

/// The child of `window` named `name`; the test ends when there is none.
template <typename T = QWidget>
T* Get(const QObject* window, const QString& name) {
  T* child = window->findChild<T*>(name);
  if (!child) qFatal("no control %s", qPrintable(name));
  return child;
}
inline void Click(const QObject* window, const QString& button) {
  Get<QAbstractButton>(window, button)->click();
}
inline void Trigger(const QObject* window, const QString& action) {
  Get<QAction>(window, action)->trigger();
}

/// The texts of a drop-down list's entries.
inline QStringList Entries(const QComboBox* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
  return entries;
}
