// A colour label: a small box filled with a colour that a click on it lets
// the user choose. It keeps the colour as the settings do, a 32-bit platform
// value 0x00BBGGRR; a high byte that a file gave is kept until a new colour
// is chosen.
#pragma once

#include <QColor>
#include <QLabel>
#include <cstdint>

/// `colour` as the settings keep it: 0x00BBGGRR.
uint32_t PlatformColour(const QColor& colour);

class ColourLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ColourLabel(QWidget* parent = nullptr);

  uint32_t colour() const { return colour_; }
  /// Fills the box with the red, green and blue bytes of `colour`.
  void setColour(uint32_t colour);

  /// Opens the colour dialog at the label's colour; a chosen colour becomes
  /// the label's, a cancel leaves it as it was.
  void SetColor();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  uint32_t colour_ = 0;
};
