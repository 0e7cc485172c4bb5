// The About box: name, version, rights, disclaimer, e-mail and web address
// and a button that starts the desktop's system-information program.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmAbout;
}

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* owner);
  ~frmAbout() override;

 private:
  /// Starts the first of kinfocenter, gnome-system-monitor and hardinfo found
  /// on the PATH, or says that none can be.
  void StartSysInfo();

  std::unique_ptr<Ui::frmAbout> ui_;
};
