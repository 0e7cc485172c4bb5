#include "dialogs/colour_dialog.h"

#include <QColorDialog>

namespace {

ColourHook& Hook() {
  static ColourHook hook;
  return hook;
}

}  // namespace

QColor ChooseColour(QWidget* parent, const QColor& initial) {
  if (Hook()) return Hook()(initial);
  return QColorDialog::getColor(initial, parent);
}

void SetColourHook(ColourHook hook) { Hook() = std::move(hook); }
