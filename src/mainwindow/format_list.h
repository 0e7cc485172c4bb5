// The main window's check list of extra picture types ("Extra Picture
// Types"): one item per type, those the installed libvips cannot read shown
// but not to be checked.
#pragma once

#include <QGroupBox>

#include "settings/picture_formats.h"

class QListWidget;

class FormatList : public QGroupBox {
  Q_OBJECT

 public:
  /// `readable`: the types that can be checked; the others keep whatever
  /// Show() gave them.
  FormatList(ExtraFormats readable, QWidget* parent = nullptr);

  /// Checks exactly the types of `chosen`.
  void Show(ExtraFormats chosen);
  /// The checked types, unreadable ones too, as the state file keeps them.
  ExtraFormats Chosen() const;
  /// The checked types a run can read.
  ExtraFormats ForRun() const;

 private:
  ExtraFormats readable_;
  QListWidget* list_;
};
