// The font tag builder frmFont: a font tag with faces, size and colour and
// bold, italic and underline tags, wrapped around the text the user had
// selected in the code box of the insertion target.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

#include "forms/dialog_rules.h"

class FieldChecks;
class InsertionTarget;
class QComboBox;
namespace Ui {
class frmFont;
}

/// What the builder remembers from its last build, for its next opening.
struct FontMemory {
  bool bold = false, italic = false, underline = false;
  int size = 2;
  int primary = 0, secondary = 0;  // indexes of cboFonts and cboFonts2 ("None" first)
  uint32_t colour = 0x00FFFFFF;    // 0x00BBGGRR
  QString result;                  // txtResult
  FontTag tag;
};

class frmFont : public QDialog {
  Q_OBJECT

 public:
  /// The builder over `owner` as `memory` says it was left; it inserts into
  /// `target`.
  frmFont(InsertionTarget* target, FontMemory* memory, QWidget* owner);
  ~frmFont() override;

 private:
  void Restore();
  void ShowFace(const QComboBox* list, QWidget* preview, const QString& none_face);
  void Build();
  void Insert();
  void Exit();

  std::unique_ptr<Ui::frmFont> ui_;
  InsertionTarget* target_;
  FontMemory* memory_;
  FieldChecks* checks_;
};
