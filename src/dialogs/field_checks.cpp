#include "dialogs/field_checks.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>

#include "dialogs/code_boxes.h"
#include "dialogs/message_box.h"
#include "dialogs/up_down.h"

namespace {

// A typed character other than "0" to "9"; editing keys, shortcuts (paste
// among them) and backspace type none.
bool TypesNonDigit(const QKeyEvent* key) {
  QString text = key->text();
  return text.size() == 1 && text[0].isPrint() && !text[0].isDigit();
}

// The checks whose refusal is being shown or whose box is getting the focus
// back; no box anywhere is checked meanwhile.
const FieldChecks* refusing = nullptr;

}  // namespace

void ShowRefusal(QWidget* parent, const Refusal& refusal) {
  QString lines = QString::fromStdString(refusal.message).replace('\r', '\n');
  ShowMessage(parent, {QMessageBox::Critical, QString::fromStdString(refusal.title), lines,
                       QMessageBox::Ok});
}

FieldChecks::FieldChecks(QWidget* dialog, CheckedDialog rules)
    : QObject(dialog), dialog_(dialog), rules_(rules) {}

FieldChecks::~FieldChecks() {
  if (refusing == this) refusing = nullptr;
}

void FieldChecks::Watch(QLineEdit* box, bool digits, OnFocus on_focus) {
  if (on_focus == OnFocus::kSelectAll)
    SelectAllOnFocus(box);
  else
    CaretAtEndOnFocus(box);
  boxes_.insert(box);
  if (digits) digit_boxes_.insert(box);
  box->installEventFilter(this);
}

void FieldChecks::WatchNumber(UpDown* up_down, QLineEdit* box) {
  up_down->setBuddy(box);
  Watch(box, true);
}

bool FieldChecks::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);  // none while a box is being destroyed
  if (!box) return false;
  if (event->type() == QEvent::KeyPress && digit_boxes_.contains(box)) {
    if (TypesNonDigit(static_cast<QKeyEvent*>(event))) return true;
  } else if (event->type() == QEvent::FocusOut) {
    Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Switching to another window, a menu or a message box is not leaving.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Leave(box);
  }
  return QObject::eventFilter(watched, event);
}

bool FieldChecks::PassFocused() {
  auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  return !box || !boxes_.contains(box) || !Leave(box);
}

bool FieldChecks::Leave(QLineEdit* box) {
  if (refusing || !dialog_->isVisible() || QApplication::focusWidget() == exempt_) return false;
  std::string text = box->text().toStdString();
  std::optional<Refusal> refusal = CheckOnLeave(rules_, box->objectName().toStdString(), &text);
  if (refusal) Refuse(box, *refusal, text);
  return refusal.has_value();
}

void FieldChecks::Refuse(QLineEdit* box, const Refusal& refusal, const std::string& text) {
  refusing = this;
  ShowRefusal(dialog_, refusal);
  if (text != box->text().toStdString()) box->setText(QString::fromStdString(text));
  if (!tabs_ || refusal.tab < 0) {
    box->setFocus(Qt::OtherFocusReason);
    refusing = nullptr;
    return;
  }
  // After the change of tab that may have taken the focus away has ended.
  QTimer::singleShot(0, this, [this, box = QPointer<QLineEdit>(box), tab = refusal.tab] {
    tabs_->setCurrentIndex(tab);
    if (box) box->setFocus(Qt::OtherFocusReason);
    refusing = nullptr;
  });
}
