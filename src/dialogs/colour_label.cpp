#include "dialogs/colour_label.h"

#include <QMouseEvent>

#include "dialogs/colour_dialog.h"

namespace {

QColor Rgb(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

uint32_t PlatformColour(const QColor& colour) {
  return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
         static_cast<uint32_t>(colour.blue()) << 16;
}

ColourLabel::ColourLabel(QWidget* parent) : QLabel(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setAutoFillBackground(true);
  setMinimumSize(40, 20);
  setCursor(Qt::PointingHandCursor);
  setColour(0);
}

void ColourLabel::setColour(uint32_t colour) {
  colour_ = colour;
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Rgb(colour));
  setPalette(palette);
  setToolTip(Rgb(colour).name().toUpper());
}

void ColourLabel::SetColor() {
  QColor chosen = ChooseColour(window(), Rgb(colour_));
  if (chosen.isValid()) setColour(PlatformColour(chosen));
}

void ColourLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) SetColor();
}
