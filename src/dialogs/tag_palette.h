// The tag palettes: small windows that offer the tags a piece of code can
// hold, each with a Copy button that puts it on the clipboard for the user
// to paste.
#pragma once

#include <QDialog>

enum class Palette {
  kCellCode,    // frmCellCodeVars
  kTitleCode,   // frmTitleCodeVars: header and page title code
  kBeforeMenu,  // frmBeforeMenuVars: open and close menu table
  kMenuCell,    // frmVarsMnu
  kNextLink,    // frmNPTagsNext
  kPrevLink,    // frmNPTagsPrev
  kTemplate,    // frmTmplVars
};

class TagPalette : public QDialog {
  Q_OBJECT

 public:
  /// The palette `palette`, named and captioned as that window, over
  /// `owner`. A Copy puts its tag on the clipboard and closes the palette;
  /// E&XIT (cmdVarOptExit) closes it without copying.
  TagPalette(Palette palette, QWidget* owner);
};

/// Shows `palette` modally; the next and previous link palettes have no
/// owner.
void ShowTagPalette(Palette palette, QWidget* owner);
