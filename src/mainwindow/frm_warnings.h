// The report of a run: what could not be done, in one window at the end.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmWarnings;
}

class frmWarnings : public QDialog {
  Q_OBJECT

 public:
  explicit frmWarnings(QWidget* owner);
  ~frmWarnings() override;

  /// Shows `text` modally until "This Sucks!" is pressed or the window closed.
  void Report(const QString& text);

 private:
  std::unique_ptr<Ui::frmWarnings> ui_;
};
