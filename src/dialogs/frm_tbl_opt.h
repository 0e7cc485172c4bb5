// frmTblOpt: further table options of Express pages, whether they are used,
// the cell padding and spacing and the cell colour. It edits copies that
// frmOptions2 gives it and takes back on OK.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmTblOpt;
}

class frmTblOpt : public QDialog {
  Q_OBJECT

 public:
  explicit frmTblOpt(QWidget* owner);
  ~frmTblOpt() override;

 private:
  std::unique_ptr<Ui::frmTblOpt> ui_;
};
