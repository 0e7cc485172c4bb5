#include "dialogs/frm_tmpl.h"

#include <QFileInfo>

#include "dialogs/code_boxes.h"
#include "dialogs/colour_box.h"
#include "dialogs/file_dialog.h"
#include "dialogs/frm_np_control.h"
#include "dialogs/message_box.h"
#include "dialogs/tag_palette.h"
#include "settings/file_io.h"
#include "ui_frm_tmpl.h"

namespace {

const char kTemplates[] = "Templates (*.tpl)";

}  // namespace

frmTmpl::frmTmpl(const TemplateStart& start, OptionsContext context, QWidget* owner)
    : QDialog(owner),
      ui_(std::make_unique<Ui::frmTmpl>()),
      context_(std::move(context)),
      edit_path_(start.path) {
  ui_->setupUi(this);
  SetUpCodeBoxes(this);
  setWindowTitle(start.caption);
  connect(ui_->txtTemplate, &QPlainTextEdit::textChanged, this, [this] { modified_ = true; });
  ui_->txtTemplate->setPlainText(start.text);
  ConnectColourBox(this, context_.editors);
  InsertionTarget& target = context_.editors->target;
  target.WatchCodeBox(ui_->txtTemplate);
  for (QWidget* button :
       std::initializer_list<QWidget*>{ui_->cmdLoadTmpl, ui_->Command1, ui_->Command2,
                                       ui_->Command3, ui_->Command4, ui_->Command5, ui_->Command6})
    target.WatchDisarming(button);
  connect(ui_->cmdLoadTmpl, &QPushButton::clicked, this, &frmTmpl::Load);
  connect(ui_->Command5, &QPushButton::clicked, this, &frmTmpl::SaveAs);
  connect(ui_->Command1, &QPushButton::clicked, this, &frmTmpl::SaveAndExit);
  connect(ui_->Command2, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->Command6, &QPushButton::clicked, this, [this] {
    ui_->txtTemplate->clear();
    ui_->txtTemplate->setFocus();
  });
  connect(ui_->Command3, &QPushButton::clicked, this,
          [this] { ShowTagPalette(Palette::kTemplate, this); });
  connect(ui_->Command4, &QPushButton::clicked, this, &frmTmpl::EditThumbCodes);
}

frmTmpl::~frmTmpl() = default;

void frmTmpl::done(int result) {
  if (modified_ && !ui_->txtTemplate->toPlainText().isEmpty()) {
    MessageRequest question{QMessageBox::Question, "Hold Your Water",
                            "You are about to exit the editor\nwithout saving the template.\n"
                            "Proceed?",
                            QMessageBox::Yes | QMessageBox::No};
    if (ShowMessage(this, question) != QMessageBox::Yes) return;
  }
  ui_->txtTemplate->clear();
  modified_ = false;
  QDialog::done(result);
}

QString TemplateCaption(const QString& path) { return "Edit Template: " + path; }

void frmTmpl::Load() {
  QString path = AskForPath(this, {FileRequest::kOpen,
                                   "Load Template File",
                                   kTemplates,
                                   {},
                                   QString::fromStdString(context_.program_folder)});
  if (path.isEmpty() || !QFileInfo(path).isFile()) return;
  std::string text, err;
  if (!ReadWholeFile(path.toStdString(), &text, &err)) {
    ShowError(this, QString::fromStdString(err));
    return;
  }
  TakeFile(path);
  ui_->txtTemplate->setPlainText(QString::fromStdString(text).replace("\r\n", "\n"));
}

void frmTmpl::SaveAs() {
  QString path = AskForPath(this, {FileRequest::kSave, "Save Template File As", kTemplates, "tpl",
                                   QString::fromStdString(context_.program_folder)});
  if (path.isEmpty()) return;
  own_path_ = path;
  if (Write(path)) TakeFile(path);
}

void frmTmpl::TakeFile(const QString& path) {
  own_path_ = path;
  own_path_used_ = true;
  context_.editors->template_known = true;
  setWindowTitle(TemplateCaption(path));
}

// A template that belongs to no file yet goes to Save As first.
void frmTmpl::SaveAndExit() {
  if (!context_.editors->template_known) {
    ShowMessage(this, {QMessageBox::Critical, "Oops!",
                       "Yay! Template does not exist\nUse the 'Save As' button", QMessageBox::Ok});
    return;
  }
  QString path = own_path_used_ ? own_path_ : edit_path_;
  if (!Write(path)) return;
  if (own_path_used_) handed_back_ = own_path_;
  accept();
}

// The text with CR LF line ends and one CR LF more; a failure is shown and
// leaves the editor as it was.
bool frmTmpl::Write(const QString& path) {
  QString text = ui_->txtTemplate->toPlainText().replace("\n", "\r\n") + "\r\n";
  std::string err;
  if (!WriteSettingsFile(path.toStdString(), text.toStdString(), &err)) {
    ShowError(this, QString::fromStdString(err));
    return false;
  }
  modified_ = false;
  return true;
}

// frmNPControl shows the committed codes, or its own first ones.
void frmTmpl::EditThumbCodes() {
  std::optional<Form>& form = *context_.thumb_codes;
  if (!form) form = NewThumbCodeForm();
  if (context_.flags->ThumbCodesCommitted) SetThumbOptions(*context_.record, &*form);
  frmNPControl editor(*form, context_.record, context_.flags, this);
  form.reset();
  editor.exec();
}
