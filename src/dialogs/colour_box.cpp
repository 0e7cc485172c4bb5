#include "dialogs/colour_box.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/clipboard.h"
#include "dialogs/code_boxes.h"
#include "dialogs/colour_dialog.h"
#include "dialogs/colour_label.h"
#include "dialogs/options_context.h"
#include "settings/text.h"

namespace {

// A cancelled colour dialog changes nothing.
void InsertColour(QWidget* window, QLineEdit* text, InsertionTarget* target) {
  QColor chosen = ChooseColour(window, Qt::white);
  if (!chosen.isValid()) return;
  QString html = QString::fromStdString(HtmlColour(NumText(PlatformColour(chosen))));
  text->setText(html);
  PutOnClipboard(html);
  target->Insert(html);
}

}  // namespace

void ConnectColourBox(QWidget* window, EditorMemory* editors) {
  auto* text = window->findChild<QLineEdit*>("txtColor");
  QObject::connect(window->findChild<QPushButton*>("cmdColor"), &QPushButton::clicked, window,
                   [=] { InsertColour(window, text, &editors->target); });
  QObject::connect(window->findChild<QPushButton*>("cmdFont"), &QPushButton::clicked, window,
                   [=] { frmFont(&editors->target, &editors->font, window).exec(); });
  SelectAllOnFocus(text);
  editors->target.WatchDisarming(text);
}
