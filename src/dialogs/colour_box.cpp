#include "dialogs/colour_box.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/clipboard.h"
#include "dialogs/code_boxes.h"
#include "dialogs/colour_dialog.h"
#include "dialogs/options_context.h"
#include "settings/text.h"

namespace {

// A cancelled colour dialog changes nothing.
void InsertColour(QWidget* window, QLineEdit* text, InsertionTarget* target) {
  QColor chosen = ChooseColour(window, Qt::white);
  if (!chosen.isValid()) return;
  uint32_t platform = static_cast<uint32_t>(chosen.red()) |
                      static_cast<uint32_t>(chosen.green()) << 8 |
                      static_cast<uint32_t>(chosen.blue()) << 16;
  QString html = QString::fromStdString(HtmlColour(NumText(platform)));
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
