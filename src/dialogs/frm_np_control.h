// frmNPControl, the editor of the next/previous thumbnail codes that picture
// pages put in place of [NEXT THUMB] and [PREV THUMB], with the tags those
// codes can hold.
#pragma once

#include <QDialog>
#include <memory>

#include "forms/settings_transfer.h"

namespace Ui {
class frmNPControl;
}

class frmNPControl : public QDialog {
  Q_OBJECT

 public:
  /// The editor showing `form` (NewThumbCodeForm, filled by SetThumbOptions),
  /// centred on `owner`. OK commits the codes into `record` and `flags`
  /// (CommitThumbCodes) and closes with Accepted; Cancel stores nothing.
  frmNPControl(Form form, AdvancedSettings* record, CommittedFlags* flags, QWidget* owner);
  ~frmNPControl() override;

 private:
  void Commit();

  std::unique_ptr<Ui::frmNPControl> ui_;
  Form form_;
  AdvancedSettings* record_;
  CommittedFlags* flags_;
};
