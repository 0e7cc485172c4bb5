#include "dialogs/tag_palette.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/code_boxes.h"

namespace {

struct PaletteWindow {
  const char* name;
  const char* caption;
  QStringList tags;
  const char* note;
};

const char kTitleNote[] = "See 'IMAGE TITLE' tab to configure this option";

// In the order of Palette.
const PaletteWindow& Window(Palette palette) {
  static const PaletteWindow kWindows[] = {
      {"frmCellCodeVars",
       "Cell Code Tags",
       {"[THUMB PATH]", "[THUMB FILE NAME]", "[IMAGE FILE NAME]", "[FILE SIZE]", "[IMAGE TITLE]"},
       kTitleNote},
      {"frmTitleCodeVars",
       "Header/Page Title Code Tags",
       {"[MAX PAGE NUMBER]", "[CURRENT PAGE NUMBER]", "[PAGE TITLE]"},
       ""},
      {"frmBeforeMenuVars",
       "Open/Close Menu Table Tags",
       {"[CURRENT PAGE NUMBER]", "[PREVIOUS LINK]", "[NEXT LINK]"},
       ""},
      {"frmVarsMnu", "Menu Cell Code Tags", {"[PAGE FILE NAME]", "[PAGE NUMBER]"}, ""},
      {"frmNPTagsNext", "Next Link Tag", {"[NEXT PAGE]"}, ""},
      {"frmNPTagsPrev", "Previous Link Tag", {"[PREVIOUS PAGE]"}, ""},
      {"frmTmplVars",
       "Template Tags",
       {"[IMAGE FILE NAME]", "[FILE SIZE]", "[PREV THUMB]", "[NEXT THUMB]", "[IMAGE TITLE]"},
       kTitleNote},
  };
  return kWindows[static_cast<int>(palette)];
}

}  // namespace

TagPalette::TagPalette(Palette palette, QWidget* owner) : QDialog(owner) {
  const PaletteWindow& window = Window(palette);
  setObjectName(window.name);
  setWindowTitle(window.caption);
  auto* layout = new QVBoxLayout(this);
  auto* tags = new QWidget(this);
  AddTagRows(tags, window.tags, [this] { accept(); });
  layout->addWidget(tags);
  if (*window.note) layout->addWidget(new QLabel(window.note, this));
  auto* exit = new QPushButton("E&XIT", this);
  exit->setObjectName("cmdVarOptExit");
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(exit, 0, Qt::AlignRight);
}

void ShowTagPalette(Palette palette, QWidget* owner) {
  bool owned = palette != Palette::kNextLink && palette != Palette::kPrevLink;
  TagPalette(palette, owned ? owner : nullptr).exec();
}
