// Message boxes of every window. A test answers them through a hook instead
// of a person.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

struct MessageRequest {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

/// Shows the box modally over `parent` and gives the button pressed (Escape
/// presses No or Ok); a hook, when set, answers instead.
QMessageBox::StandardButton ShowMessage(QWidget* parent, const MessageRequest& request);

/// A critical "Error" box with `text`, the form of the file commands' errors.
void ShowError(QWidget* parent, const QString& text);

/// The "Whoa, horsy!" question asked before a whole list is cleared; true
/// for Yes.
bool ConfirmClear(QWidget* parent);

using MessageHook = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

/// Makes `hook` answer every box from now on; an empty hook brings back the
/// real boxes.
void SetMessageHook(MessageHook hook);
