// frmNoMenu, the editor of the code written in place of the page menu when a
// folder's pictures fit on one page.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmNoMenu;
}

class frmNoMenu : public QDialog {
  Q_OBJECT

 public:
  /// The editor holding `code`, over `owner`.
  frmNoMenu(const QString& code, QWidget* owner);
  ~frmNoMenu() override;

  /// The code as it stands.
  QString code() const;

 private:
  std::unique_ptr<Ui::frmNoMenu> ui_;
};
