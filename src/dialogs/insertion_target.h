// The insertion target: the code box a colour or a font tag goes into. It is
// the box the user left last, with its caret and selection as they were when
// it was left, until a control that does not insert takes the focus. One
// target serves every window that inserts.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QPlainTextEdit;
class QWidget;

class InsertionTarget : public QObject {
 public:
  /// Makes `box` arm the target with itself whenever it loses the focus.
  void WatchCodeBox(QPlainTextEdit* box);
  /// Makes `control` disarm the target whenever it loses the focus.
  void WatchDisarming(QWidget* control);

  /// Remembers `box`, its caret and its selected text.
  void Arm(QPlainTextEdit* box);
  void Disarm() { armed_ = false; }
  bool armed() const;
  /// The text that was selected when the target was armed.
  const QString& selection() const { return selection_; }

  /// When armed, replaces the remembered selection by `value`, puts the
  /// caret `back_step` characters before the end of the value and gives the
  /// box the focus; false, changing nothing, when not armed.
  bool Insert(const QString& value, int back_step = 0);
  /// Gives the box the focus with the caret after the value inserted last.
  void ReturnToBox();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceCaret(int position);

  QPointer<QPlainTextEdit> box_;
  int caret_ = 0;
  QString selection_;
  QString last_inserted_;
  bool armed_ = false;
};
