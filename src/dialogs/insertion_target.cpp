#include "dialogs/insertion_target.h"

#include <QFocusEvent>
#include <QPlainTextEdit>
#include <algorithm>

void InsertionTarget::WatchCodeBox(QPlainTextEdit* box) { box->installEventFilter(this); }

void InsertionTarget::WatchDisarming(QWidget* control) { control->installEventFilter(this); }

void InsertionTarget::Arm(QPlainTextEdit* box) {
  QTextCursor cursor = box->textCursor();
  box_ = box;
  caret_ = cursor.selectionStart();
  selection_ = box->toPlainText().mid(caret_, cursor.selectionEnd() - caret_);
  last_inserted_.clear();
  armed_ = true;
}

bool InsertionTarget::armed() const { return armed_ && box_; }

bool InsertionTarget::Insert(const QString& value, int back_step) {
  if (!armed()) return false;
  int end = static_cast<int>(box_->toPlainText().size());
  QTextCursor cursor(box_->document());  // an edit the box can undo
  cursor.setPosition(std::min(caret_, end));
  cursor.setPosition(std::min(caret_ + static_cast<int>(selection_.size()), end),
                     QTextCursor::KeepAnchor);
  cursor.insertText(value);
  last_inserted_ = value;
  PlaceCaret(caret_ + value.size() - back_step);
  return true;
}

void InsertionTarget::ReturnToBox() {
  if (armed()) PlaceCaret(caret_ + last_inserted_.size());
}

void InsertionTarget::PlaceCaret(int position) {
  QTextCursor cursor = box_->textCursor();
  cursor.setPosition(std::clamp(position, 0, static_cast<int>(box_->toPlainText().size())));
  box_->setTextCursor(cursor);
  box_->setFocus(Qt::OtherFocusReason);
}

// Leaving for another window, a menu or a pop-up is not leaving the box.
bool InsertionTarget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
  if (auto* box = qobject_cast<QPlainTextEdit*>(watched))
    Arm(box);
  else
    Disarm();
  return false;
}
