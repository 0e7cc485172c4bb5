#include "dialogs/frm_font.h"

#include "dialogs/code_boxes.h"
#include "dialogs/field_checks.h"
#include "dialogs/insertion_target.h"
#include "run/fonts.h"
#include "settings/text.h"
#include "ui_frm_font.h"

frmFont::frmFont(InsertionTarget* target, FontMemory* memory, QWidget* owner)
    : QDialog(owner),
      ui_(std::make_unique<Ui::frmFont>()),
      target_(target),
      memory_(memory),
      checks_(new FieldChecks(this, CheckedDialog::kFontBuilder)) {
  ui_->setupUi(this);
  SetUpCodeBoxes(this);
  QStringList families;
  for (const std::string& family : FontFamilies()) families << QString::fromStdString(family);
  ui_->cboFonts->addItems(families);
  ui_->cboFonts2->addItem("None");
  ui_->cboFonts2->addItems(families);
  Restore();
  auto primary = [this] { ShowFace(ui_->cboFonts, ui_->Label1, QString()); };
  auto secondary = [this] { ShowFace(ui_->cboFonts2, ui_->Label5, "Arial"); };
  primary();
  secondary();
  connect(ui_->cboFonts, &QComboBox::currentIndexChanged, this, primary);
  connect(ui_->cboFonts2, &QComboBox::currentIndexChanged, this, secondary);
  checks_->WatchNumber(ui_->UDFont, ui_->txtFontSize);
  connect(ui_->cmdApply, &QPushButton::clicked, this, [this] {
    if (checks_->PassFocused()) Build();
  });
  connect(ui_->cmdOk, &QPushButton::clicked, this, &frmFont::Insert);
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, &frmFont::Exit);
}

frmFont::~frmFont() = default;

void frmFont::Restore() {
  ui_->cboFonts->setCurrentIndex(memory_->primary);
  ui_->cboFonts2->setCurrentIndex(memory_->secondary);
  ui_->txtFontSize->setText(QString::number(std::max(memory_->size, 1)));
  ui_->chkBold->setChecked(memory_->bold);
  ui_->chkItalic->setChecked(memory_->italic);
  ui_->chkUnder->setChecked(memory_->underline);
  ui_->Label2->setColour(memory_->colour);
  ui_->txtResult->setPlainText(memory_->result);
}

// The preview label in the face chosen in `list`; "None", the first entry of
// the secondary list, shows `none_face`.
void frmFont::ShowFace(const QComboBox* list, QWidget* preview, const QString& none_face) {
  bool none = !none_face.isEmpty() && list->currentIndex() == 0;
  QFont font = preview->font();
  font.setFamily(none ? none_face : list->currentText());
  preview->setFont(font);
}

void frmFont::Build() {
  memory_->bold = ui_->chkBold->isChecked();
  memory_->italic = ui_->chkItalic->isChecked();
  memory_->underline = ui_->chkUnder->isChecked();
  memory_->size = static_cast<int>(RoundHalfEven(Val(ui_->txtFontSize->text().toStdString())));
  memory_->colour = ui_->Label2->colour();
  memory_->primary = ui_->cboFonts->currentIndex();
  memory_->secondary = ui_->cboFonts2->currentIndex();
  FontTagChoice choice{ui_->cboFonts->currentText().toStdString(),
                       memory_->secondary > 0 ? ui_->cboFonts2->currentText().toStdString() : "",
                       ui_->txtFontSize->text().toStdString(),
                       memory_->colour,
                       memory_->bold,
                       memory_->italic,
                       memory_->underline};
  memory_->tag = BuildFontTag(choice);
  memory_->result = QString::fromStdString(memory_->tag.opening + memory_->tag.closing);
  ui_->txtResult->setPlainText(memory_->result);
}

// The remembered selection wrapped in a fresh build; the caret stops before
// the closing tags.
void frmFont::Insert() {
  if (!checks_->PassFocused()) return;
  if (!target_->armed()) {
    accept();
    return;
  }
  QString value;
  int back_step = 0;
  if (!ui_->txtResult->toPlainText().trimmed().isEmpty()) {
    Build();
    value = QString::fromStdString(memory_->tag.opening) + target_->selection() +
            QString::fromStdString(memory_->tag.closing);
    back_step = memory_->tag.back_step;
  }
  accept();
  target_->Insert(value, back_step);
}

void frmFont::Exit() {
  accept();
  target_->ReturnToBox();
}
