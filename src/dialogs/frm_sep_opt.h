// frmSepOpt: options of Express picture pages, whether they show the next
// and previous thumbnails. It edits a copy that frmOptions2 gives it and
// takes back on OK.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmSepOpt;
}

class frmSepOpt : public QDialog {
  Q_OBJECT

 public:
  explicit frmSepOpt(QWidget* owner);
  ~frmSepOpt() override;

 private:
  std::unique_ptr<Ui::frmSepOpt> ui_;
};
