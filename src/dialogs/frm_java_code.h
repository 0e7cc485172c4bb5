// frmJavaCode, the editor of the pop-up script that Advanced pages carry when
// thumbnails open pictures in JavaScript windows.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmJavaCode;
}

class frmJavaCode : public QDialog {
  Q_OBJECT

 public:
  /// The editor holding `code`, over `owner`.
  frmJavaCode(const QString& code, QWidget* owner);
  ~frmJavaCode() override;

  /// The script as OK left it: one line, a blank at each former line break.
  QString code() const;

 private:
  std::unique_ptr<Ui::frmJavaCode> ui_;
};
