// frmRights: the rights line of Express pages, whether it is written and its
// text. It edits copies that frmOptions2 gives it and takes back on OK.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmRights;
}

class frmRights : public QDialog {
  Q_OBJECT

 public:
  explicit frmRights(QWidget* owner);
  ~frmRights() override;

 protected:
  /// The rights text gets the caret at its end, nothing selected.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<Ui::frmRights> ui_;
};
