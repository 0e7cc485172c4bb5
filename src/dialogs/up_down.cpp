#include "dialogs/up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "settings/text.h"

namespace {

// An arrow that repeats while held and never takes the focus from the buddy,
// whose focus-loss check would otherwise run.
QToolButton* Arrow(Qt::ArrowType type, QWidget* parent) {
  auto* arrow = new QToolButton(parent);
  arrow->setArrowType(type);
  arrow->setAutoRepeat(true);
  arrow->setFocusPolicy(Qt::NoFocus);
  arrow->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  arrow->setFixedWidth(16);
  return arrow;
}

}  // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  QToolButton* up = Arrow(Qt::UpArrow, this);
  QToolButton* down = Arrow(Qt::DownArrow, this);
  layout->addWidget(up);
  layout->addWidget(down);
  connect(up, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void UpDown::setValue(double value) {
  if (value >= minimum_ && value <= maximum_) value_ = static_cast<int>(RoundHalfEven(value));
}

void UpDown::setBuddy(QLineEdit* box) {
  buddy_ = box;
  setFixedHeight(box->sizeHint().height());
  setValue(Val(box->text().toStdString()));
  connect(box, &QLineEdit::textChanged, this,
          [this](const QString& text) { setValue(Val(text.toStdString())); });
}

void UpDown::Step(int by) {
  setValue(value_ + by);
  if (buddy_) buddy_->setText(QString::number(value_));
}
