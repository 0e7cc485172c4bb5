#include "dialogs/tag_palette.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <span>

#include "dialogs/code_boxes.h"
#include "pages/tags.h"

namespace {

struct PaletteWindow {
  const char* name;
  const char* caption;
  std::span<const char* const> tags;
  const char* note;
};

const char kTitleNote[] = "See 'IMAGE TITLE' tab to configure this option";

// In the order of Palette.
constexpr PaletteWindow kWindows[] = {
    {"frmCellCodeVars", "Cell Code Tags", kCellCodeTags, kTitleNote},
    {"frmTitleCodeVars", "Header/Page Title Code Tags", kTitleCodeTags, ""},
    {"frmBeforeMenuVars", "Open/Close Menu Table Tags", kMenuFrameTags, ""},
    {"frmVarsMnu", "Menu Cell Code Tags", kMenuCellTags, ""},
    {"frmNPTagsNext", "Next Link Tag", kNextLinkTags, ""},
    {"frmNPTagsPrev", "Previous Link Tag", kPrevLinkTags, ""},
    {"frmTmplVars", "Template Tags", kTemplateTags, kTitleNote},
};

}  // namespace

TagPalette::TagPalette(Palette palette, QWidget* owner) : QDialog(owner) {
  const PaletteWindow& window = kWindows[static_cast<int>(palette)];
  setObjectName(window.name);
  setWindowTitle(window.caption);
  auto* layout = new QVBoxLayout(this);
  auto* tags = new QWidget(this);
  AddTagRows(tags, {window.tags.begin(), window.tags.end()}, [this] { accept(); });
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
