// The Advanced settings dialog frmOptions: every setting of Advanced mode on
// seven tabs, with the snipplet list of the "Extra" tab. Its controls are a
// working copy of AdvancedSettings: only OK changes the record, except the
// snipplet fields, which every change of the rows writes at once.
#pragma once

#include <QDialog>
#include <memory>

#include "dialogs/options_context.h"

class FieldChecks;
struct TemplateStart;
class QLineEdit;
class QPlainTextEdit;
namespace Ui {
class frmOptions;
}

class frmOptions : public QDialog {
  Q_OBJECT

 public:
  /// The dialog showing `form`, frmOptions' controls as they were loaded
  /// (NewAdvancedForm) and filled (SetOptions), placed up and left of
  /// `owner`. OK commits them (CommitAdvanced) and closes with Accepted; a
  /// refused commit is shown, switches the tab and focus it names, and the
  /// dialog stays. Cancel closes without a commit.
  frmOptions(Form form, OptionsContext context, QWidget* owner);
  ~frmOptions() override;

  /// The controls as they stand.
  Form Controls() const;

 protected:
  /// The preview on leaving the number boxes, the double click on the
  /// header and footer paths.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ConnectGeneral();
  void ConnectCode();
  void ConnectSnipplets();
  void ApplyDependentRules();
  void ShowUseJava(bool java);
  void ShowPreview();
  void TabChanged(int tab);
  void ShowMenuBar(bool shown);
  void RefillEmptyCode(QPlainTextEdit* box);

  QString AskForCss();  // "" when cancelled
  void AddCssFileUrl();
  void AddCssFileContents();
  void Browse(QLineEdit* box, const QString& title);
  void OpenInTextEditor(const QString& path);

  Control Rows() const;
  void ShowRows(const Control& rows);
  void RebuildRows();
  void LoadSnipplet();
  void ClearSnipplet();
  void ClearAllSnipplets();
  void OpenSnipplet();

  void ConnectEditors();
  void EditJavaCode();
  void EditInactiveLink();
  void EditNoMenu();
  void EditTemplate();
  void NewTemplate();
  void ShowTemplateNotFound();
  void ShowTemplateEditor(const TemplateStart& start);

  void Commit();

  std::unique_ptr<Ui::frmOptions> ui_;
  Form form_;  // the controls' kinds and list entries
  OptionsContext context_;
  FieldChecks* checks_;
};
