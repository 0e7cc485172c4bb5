// The Express settings dialog frmOptions2: colours, font, table, captions,
// menu place and link target of Express pages, with its three small windows
// for the rights line, the separate pages and further table options. Its
// controls are a working copy of ExpressSettings: only OK changes the record.
#pragma once

#include <QDialog>
#include <initializer_list>
#include <memory>

#include "forms/settings_transfer.h"

class FieldChecks;
namespace Ui {
class frmOptions2;
}

class frmOptions2 : public QDialog {
  Q_OBJECT

 public:
  /// The dialog showing `form`, frmOptions2's controls as they were loaded
  /// (NewExpressForm) and filled (SetOptionsExp). OK commits them into
  /// `record` and `flags` (CommitExpress) and closes with Accepted; a refused
  /// commit is shown and the dialog stays. Cancel closes without a commit.
  frmOptions2(Form form, ExpressSettings* record, CommittedFlags* flags, QWidget* owner);
  ~frmOptions2() override;

  /// The controls as they stand.
  Form Controls() const;

 private:
  void ConnectControls();
  void Commit();
  void EditRights();
  void EditSeparatePages();
  void EditTableOptions();
  void EditHolders(QDialog* window, std::initializer_list<const char*> holders);

  std::unique_ptr<Ui::frmOptions2> ui_;
  Form form_;  // the controls' kinds and list entries
  ExpressSettings* record_;
  CommittedFlags* flags_;
  FieldChecks* checks_;
};
