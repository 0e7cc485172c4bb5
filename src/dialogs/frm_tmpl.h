// The template editor frmTmpl: the template of the picture pages, loaded
// from and saved to .tpl files, with the colour box, the template tags and
// the next/previous thumbnail codes at hand.
#pragma once

#include <QDialog>
#include <memory>

#include "dialogs/options_context.h"

namespace Ui {
class frmTmpl;
}

/// What the editor opens with.
struct TemplateStart {
  QString caption = "Edit Template";
  QString text = "";
  QString path = "";  // where Save And Exit writes when no file was loaded or saved here
};

/// The caption of the editor showing the file `path`.
QString TemplateCaption(const QString& path);

class frmTmpl : public QDialog {
  Q_OBJECT

 public:
  /// The editor over `owner` showing `start`. Whether its text belongs to a
  /// file is context.editors->template_known, which Load and Save As set.
  frmTmpl(const TemplateStart& start, OptionsContext context, QWidget* owner);
  ~frmTmpl() override;

  /// The file loaded or saved here that Save And Exit wrote to, for the
  /// template path of the Advanced dialog; "" otherwise.
  const QString& handed_back() const { return handed_back_; }

  /// Closing asks before it drops a changed text that is not empty.
  void done(int result) override;

 private:
  void Load();
  void SaveAs();
  void SaveAndExit();
  bool Write(const QString& path);
  void TakeFile(const QString& path);  // the text is the file's from now on
  void EditThumbCodes();

  std::unique_ptr<Ui::frmTmpl> ui_;
  OptionsContext context_;
  QString edit_path_;
  QString own_path_;
  bool own_path_used_ = false;  // loaded here or saved as
  bool modified_ = false;
  QString handed_back_;
};
