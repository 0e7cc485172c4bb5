#include "dialogs/message_box.h"

namespace {

MessageHook& Hook() {
  static MessageHook hook;
  return hook;
}

}  // namespace

QMessageBox::StandardButton ShowMessage(QWidget* parent, const MessageRequest& request) {
  if (Hook()) return Hook()(request);
  QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowError(QWidget* parent, const QString& text) {
  ShowMessage(parent, {QMessageBox::Critical, "Error", text, QMessageBox::Ok});
}

bool ConfirmClear(QWidget* parent) {
  return ShowMessage(parent, {QMessageBox::Question, "Whoa, horsy!", "Are you like sure and all?",
                              QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }
