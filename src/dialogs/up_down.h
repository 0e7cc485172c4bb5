// An up-down: two arrow buttons beside a text box (its buddy) that step a
// whole number within a range. Typing in the buddy moves the number along, a
// click writes it into the buddy.
#pragma once

#include <QWidget>

class QLineEdit;

class UpDown : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
  Q_PROPERTY(int maximum READ maximum WRITE setMaximum)

 public:
  explicit UpDown(QWidget* parent = nullptr);

  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  void setMinimum(int minimum) { minimum_ = minimum; }
  void setMaximum(int maximum) { maximum_ = maximum; }
  int value() const { return value_; }
  /// Takes `value`; a value outside the range is ignored.
  void setValue(double value);

  /// Pairs the up-down with `box`: the up-down takes the numeric value of
  /// every text the box gets, and writes its value into the box on a click.
  void setBuddy(QLineEdit* box);

 private:
  void Step(int by);

  int minimum_ = 0;
  int maximum_ = 100;
  int value_ = 0;
  QLineEdit* buddy_ = nullptr;
};
