// The text boxes of a settings dialog and the main window: digits-only
// boxes, the whole text selected (or the caret at the end) when a box gets
// the focus, and the check a box makes when it loses the focus: the refusal
// is shown and the focus goes back to the box. One refusal at a time, in
// all windows: while it is shown and until the focus is back (also when that
// waits for a change of tab), no other box is checked, so two refused boxes
// never take the focus from each other.
#pragma once

#include <QObject>
#include <QSet>

#include "forms/dialog_rules.h"

class QLineEdit;
class QTabWidget;
class QWidget;
class UpDown;

/// Shows the message box of a refused check over `parent`: its title, its
/// lines, the error icon and an OK button.
void ShowRefusal(QWidget* parent, const Refusal& refusal);

class FieldChecks : public QObject {
 public:
  /// Checks the boxes of `dialog` by the rules of `rules`.
  FieldChecks(QWidget* dialog, CheckedDialog rules);
  ~FieldChecks() override;

  enum class OnFocus { kSelectAll, kCaretAtEnd };

  /// Selects the text of `box` (or puts the caret at its end) when it gets
  /// the focus and checks it when it loses it; with `digits` every typed
  /// character other than "0" to "9" is dropped (a pasted text is not: the
  /// check on leaving catches it).
  void Watch(QLineEdit* box, bool digits, OnFocus on_focus = OnFocus::kSelectAll);
  /// A digits box with the up-down that steps it.
  void WatchNumber(UpDown* up_down, QLineEdit* box);

  /// The check of the watched box that has the focus, as leaving it makes
  /// it: OK and Enter commit without leaving the box. False when it refused.
  bool PassFocused();

  /// A refusal that names a tab switches `tabs` to it and gives the box the
  /// focus back once the event that took the focus away has been handled.
  void SwitchTabs(QTabWidget* tabs) { tabs_ = tabs; }

  /// A box that loses the focus to `button` is not checked: the dialog's
  /// Cancel, which discards the box anyway.
  void Exempt(QWidget* button) { exempt_ = button; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// True when the box's text was refused.
  bool Leave(QLineEdit* box);
  void Refuse(QLineEdit* box, const Refusal& refusal, const std::string& text);

  QWidget* dialog_;
  CheckedDialog rules_;
  QWidget* exempt_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QSet<QObject*> boxes_;
  QSet<QObject*> digit_boxes_;
};
