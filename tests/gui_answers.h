// Answers what the windows ask a person (message boxes, file pickers, the
// colour dialog, the desktop, the clipboard, modal windows) and keeps what
// they asked, for the window tests.
#pragma once

#include <QApplication>
#include <QList>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "dialogs/clipboard.h"
#include "dialogs/colour_dialog.h"
#include "dialogs/desktop.h"
#include "dialogs/file_dialog.h"
#include "dialogs/message_box.h"

/// Hooks that answer for one test; removed when it goes.
struct Answers {
  Answers() {
    SetMessageHook([this](const MessageRequest& request) {
      messages << request;
      return buttons.isEmpty() ? QMessageBox::Ok : buttons.takeFirst();
    });
    SetFileHook([this](const FileRequest& request) {
      files << request;
      return paths.isEmpty() ? QString() : paths.takeFirst();
    });
    SetOptionHook([this](const QString& option) {
      option_texts << option;
      return !options.isEmpty() && options.takeFirst();
    });
    SetColourHook([this](const QColor& initial) {
      colour_starts << initial;
      return colours.isEmpty() ? QColor() : colours.takeFirst();
    });
    SetDesktopHook([this](const DesktopRequest& request) {
      desktop << request;
      return desktop_works;
    });
    SetClipboardHook([this](const QString& text) { clipboard << text; });
  }
  ~Answers() {
    SetMessageHook({});
    SetFileHook({});
    SetOptionHook({});
    SetColourHook({});
    SetDesktopHook({});
    SetClipboardHook({});
  }
  Answers(const Answers&) = delete;
  Answers& operator=(const Answers&) = delete;

  QList<QMessageBox::StandardButton> buttons;  // message box answers, in order; then Ok
  QStringList paths;                           // picker answers, in order; then cancel
  QList<bool> options;                         // check boxes of pickers, in order; then off
  QList<QColor> colours;                       // colour answers, in order; invalid or none: cancel
  QList<MessageRequest> messages;
  QList<FileRequest> files;
  QStringList option_texts;     // the check box each picker with one offered
  QList<QColor> colour_starts;  // the colour each colour dialog started at
  QList<DesktopRequest> desktop;
  bool desktop_works = true;  // the answer to every desktop request
  QStringList clipboard;      // every text put on the clipboard, in order
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
