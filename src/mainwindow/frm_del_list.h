// The question before orphan thumbnails are deleted.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmDelList;
}

class frmDelList : public QDialog {
  Q_OBJECT

 public:
  explicit frmDelList(QWidget* owner);
  ~frmDelList() override;

  /// Shows `text` (the question and the list) modally, centred over the
  /// owner; true only when "&Delete" was pressed. "I Don't Think So" is the
  /// default button.
  bool Confirm(const QString& text);

 private:
  std::unique_ptr<Ui::frmDelList> ui_;
};
