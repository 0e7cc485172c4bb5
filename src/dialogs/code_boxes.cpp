#include "dialogs/code_boxes.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "dialogs/clipboard.h"

namespace {

// Does `place` to the caret of a box that gets the focus.
class OnFocusIn : public QObject {
 public:
  OnFocusIn(QLineEdit* box, void (*place)(QLineEdit*)) : QObject(box), place_(place) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // After the box's own handling, which a mouse click ends with a caret.
    if (event->type() == QEvent::FocusIn)
      if (auto* box = qobject_cast<QLineEdit*>(watched))
        QTimer::singleShot(0, box, [box, place = place_] { place(box); });
    return false;
  }

 private:
  void (*place_)(QLineEdit*);
};

}  // namespace

void SetUpCodeBoxes(QWidget* window) {
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>()) {
    box->setFont(fixed);
    box->setTabChangesFocus(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // long lines wrap
  }
}

void AddTagRows(QWidget* frame, const QStringList& tags, const std::function<void()>& after_copy) {
  auto* grid = new QGridLayout(frame);
  for (int i = 0; i < tags.size(); ++i) {
    auto* box = new QLineEdit(tags[i], frame);
    box->setObjectName(QString("txtTag%1").arg(i + 1));
    box->setReadOnly(true);
    auto* copy = new QPushButton("Copy", frame);
    copy->setObjectName(QString("cmdCopy%1").arg(i + 1));
    QObject::connect(copy, &QPushButton::clicked, frame, [tag = tags[i], after_copy] {
      PutOnClipboard(tag);
      if (after_copy) after_copy();
    });
    grid->addWidget(box, i, 0);
    grid->addWidget(copy, i, 1);
  }
}

void SelectAllOnFocus(QLineEdit* box) {
  box->installEventFilter(new OnFocusIn(box, [](QLineEdit* b) { b->selectAll(); }));
}

void CaretAtEndOnFocus(QLineEdit* box) {
  box->installEventFilter(new OnFocusIn(box, [](QLineEdit* b) {
    b->deselect();
    b->end(false);
  }));
}
