#include "dialogs/frm_options.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QUrl>
#include <utility>
#include <vector>

#include "dialogs/code_boxes.h"
#include "dialogs/colour_box.h"
#include "dialogs/desktop.h"
#include "dialogs/field_checks.h"
#include "dialogs/file_dialog.h"
#include "dialogs/form_binding.h"
#include "dialogs/frm_java_code.h"
#include "dialogs/frm_link_inact.h"
#include "dialogs/frm_no_menu.h"
#include "dialogs/frm_tmpl.h"
#include "dialogs/message_box.h"
#include "dialogs/tag_palette.h"
#include "forms/snipplet_rows.h"
#include "settings/file_io.h"
#include "settings/text.h"
#include "ui_frm_options.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

const char kTextFiles[] = "Text Files (*.txt *.html *.htm *.shtml);;All Files (*)";

enum Tab { kGeneral, kHeaderFooter, kHtml, kMenu, kExtra, kImageTitle, kMetaTags };

// What an emptied code box is refilled with, and where the caret goes then.
struct Skeleton {
  const char* box;
  const char* text;
  int caret;            // -1: at the end
  bool blank_is_empty;  // false: only a text of length 0 is empty
};

constexpr Skeleton kSkeletons[] = {
    {"txtCellCode", "<TD></TD>", 4, true},
    {"txtJavaCell", "<TD></TD>", 4, true},
    {"txtMenuCode", "<TD></TD>", 4, true},
    {"txtCodeBeforeMenu", "<TABLE><TR>", -1, true},
    {"txtCodeAfterMenu", "</TR></TABLE>", 0, true},
    {"txtJavaCode", "<SCRIPT LANGUAGE =\"Javascript\">function ShowPic(){};</SCRIPT>", 48, true},
    {"txtStyleCode", "<STYLE><--.nu ></STYLE>", 14, false},
};

// The code boxes a colour or font tag can go into.
constexpr const char* kInsertionBoxes[] = {
    "txtHeaderCode",    "txtStyleCode",     "txtBodyTag",        "txtPageTitleCode",
    "txtTableTag",      "txtRowStart",      "txtCellCode",       "txtJavaCell",
    "txtRowEnd",        "txtTableClose",    "txtCodeBeforeMenu", "txtMenuCode",
    "txtCodeAfterMenu", "txtLineBreakCode", "txtNext",           "txtPrev"};

// The controls that take the insertion target away when they are left.
constexpr const char* kDisarming[] = {
    "chkBreakMenu",   "chkCenterTable", "chkGenMenu",   "chkTableClose", "chkUseJava",
    "chkUseStyle",    "chkUseTitle",    "optMenuTop",   "optMenuBottom", "optMenuBoth",
    "cmdNPTags",      "cmdShowJava",    "cmdOptCancel", "Command1",      "Command2",
    "Command3",       "Command4",       "Command5",     "Command6",      "Command7",
    "txtBreakMenuNum"};

// The palette each "Tags" button opens.
constexpr std::pair<const char*, Palette> kTagButtons[] = {
    {"Command1", Palette::kCellCode},   {"Command2", Palette::kTitleCode},
    {"Command6", Palette::kTitleCode},  {"Command3", Palette::kBeforeMenu},
    {"Command5", Palette::kBeforeMenu}, {"Command4", Palette::kMenuCell},
    {"cmdNPTags", Palette::kNextLink},  {"Command7", Palette::kPrevLink}};

void PlaceCaret(QPlainTextEdit* box, int position) {
  QTextCursor cursor = box->textCursor();
  cursor.setPosition(position);
  box->setTextCursor(cursor);
}

}  // namespace

frmOptions::frmOptions(Form form, OptionsContext context, QWidget* owner)
    : QDialog(owner),
      ui_(std::make_unique<Ui::frmOptions>()),
      form_(std::move(form)),
      context_(std::move(context)),
      checks_(new FieldChecks(this, CheckedDialog::kAdvanced)) {
  ui_->setupUi(this);
  layout()->setMenuBar(ui_->menubar);
  SetUpCodeBoxes(this);
  ShowControls(form_, this);
  ConnectGeneral();
  ConnectCode();
  ConnectSnipplets();
  ConnectEditors();
  ApplyDependentRules();
  ShowPreview();
  connect(ui_->SSTab1, &QTabWidget::currentChanged, this, &frmOptions::TabChanged);
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, &frmOptions::Commit);
  connect(ui_->cmdOptCancel, &QPushButton::clicked, this, &QDialog::reject);
  ui_->SSTab1->setCurrentIndex(kGeneral);
  TabChanged(kGeneral);
  adjustSize();
  if (owner) move(owner->pos() - QPoint(33, 23));  // 500 and 350 twips
}

frmOptions::~frmOptions() = default;

Form frmOptions::Controls() const {
  Form form = form_;
  ReadControls(this, &form);
  return form;
}

// ---- General and the number boxes

void frmOptions::ConnectGeneral() {
  const std::pair<UpDown*, QLineEdit*> numbers[] = {{ui_->UDunits, ui_->txtUnits},
                                                    {ui_->UDStartAt, ui_->txtStartAt},
                                                    {ui_->UDRows, ui_->txtRows},
                                                    {ui_->UDCols, ui_->txtCols},
                                                    {ui_->UDFNameMaxLet, ui_->txtFNameMaxLet}};
  for (auto [up_down, box] : numbers) checks_->WatchNumber(up_down, box);
  checks_->Watch(ui_->txtBreakMenuNum, true);
  for (QLineEdit* box : {ui_->txtPageFileName, ui_->txtPageTitle, ui_->txtSubFolderName,
                         ui_->txtThumbExt, ui_->txtFNameReplaceStr, ui_->txtMetaRevisit})
    checks_->Watch(box, false);
  checks_->Exempt(ui_->cmdOptCancel);
  checks_->SwitchTabs(ui_->SSTab1);
  for (QLineEdit* box : {ui_->txtPageFileName, ui_->txtPageTitle, ui_->txtUnits})
    connect(box, &QLineEdit::textChanged, this, &frmOptions::ShowPreview);
  connect(ui_->cboHTMLExt, &QComboBox::editTextChanged, this, &frmOptions::ShowPreview);
  connect(ui_->cboHTMLExt, &QComboBox::currentIndexChanged, this, &frmOptions::ShowPreview);
  connect(ui_->optAsPrefix, &QRadioButton::clicked, this, &frmOptions::ShowPreview);
  connect(ui_->optAsSuffix, &QRadioButton::clicked, this, &frmOptions::ShowPreview);
  for (QLineEdit* box : {ui_->txtUnits, ui_->txtStartAt, ui_->txtHeader, ui_->txtFooter})
    box->installEventFilter(this);
  connect(ui_->cmdBrowseHeader, &QPushButton::clicked, this,
          [this] { Browse(ui_->txtHeader, "Locate Header File"); });
  connect(ui_->cmdBrowseFooter, &QPushButton::clicked, this,
          [this] { Browse(ui_->txtFooter, "Locate Footer File"); });
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (watched == ui_->txtUnits ||
        (watched == ui_->txtStartAt && !ui_->txtStartAt->text().isEmpty()))
      ShowPreview();
  } else if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == ui_->txtHeader || watched == ui_->txtFooter)
      OpenInTextEditor(static_cast<QLineEdit*>(watched)->text().trimmed());
  }
  return QDialog::eventFilter(watched, event);
}

void frmOptions::ShowPreview() {
  ui_->lblFileName->setText(Q(PageFileNamePreview(
      S(ui_->txtPageFileName->text()), S(ui_->txtUnits->text()), S(ui_->txtStartAt->text()),
      ui_->optAsPrefix->isChecked(), S(ui_->cboHTMLExt->currentText()))));
}

// Each check box enables or shows what depends on it, now and at every change.
void frmOptions::ApplyDependentRules() {
  const std::pair<QCheckBox*, std::vector<QWidget*>> rules[] = {
      {ui_->chkStoreInSub, {ui_->txtSubFolderName}},
      {ui_->chkUseHeader, {ui_->cmdBrowseHeader, ui_->txtHeader}},
      {ui_->chkUseFooter, {ui_->cmdBrowseFooter, ui_->txtFooter}},
      {ui_->chkBreakMenu, {ui_->txtBreakMenuNum}},
      {ui_->chkUseStyle, {ui_->txtStyleCode}},
      {ui_->chkUseTitle, {ui_->txtPageTitleCode}},
  };
  for (const auto& [check, controls] : rules) {
    auto enable = [widgets = controls](bool on) {
      for (QWidget* widget : widgets) widget->setEnabled(on);
    };
    enable(check->isChecked());
    connect(check, &QCheckBox::toggled, this, enable);
  }
  ShowUseJava(ui_->chkUseJava->isChecked());
  connect(ui_->chkUseJava, &QCheckBox::toggled, this, &frmOptions::ShowUseJava);
  // A click replaces whatever closing code the box held; a filled-in value stays.
  connect(ui_->chkTableClose, &QCheckBox::clicked, this, [this](bool custom) {
    ui_->txtTableClose->setPlainText(custom ? "</TABLE>" : "AUTO-CLOSE");
  });
}

void frmOptions::ShowUseJava(bool java) {
  ui_->txtJavaCell->setVisible(java);
  ui_->cmdShowJava->setVisible(java);
  ui_->txtCellCode->setVisible(!java);
  ui_->lblCellCode->setText(java ? "CELL CODE (JavaScript)" : "CELL CODE");
}

// ---- Tabs

void frmOptions::TabChanged(int tab) {
  context_.editors->target.Disarm();
  if (!ui_->chkTableClose->isChecked()) ui_->txtTableClose->setPlainText("AUTO-CLOSE");
  ui_->fraColorBoxBack->setVisible(tab == kHtml || tab == kMenu);
  if (tab == kExtra && ui_->txtTmplAddy->text().trimmed().isEmpty())
    ui_->txtTmplAddy->setText(Q(context_.program_folder + "/default.tpl"));
  ShowMenuBar(tab == kMenu);
}

// The menu bar with "Edit Special Codes" makes the form taller by its height.
void frmOptions::ShowMenuBar(bool shown) {
  if (ui_->menubar->isHidden() != shown) return;
  int hidden_bar = ui_->menubar->sizeHint().height();  // while it still shows its menu
  ui_->mnuEdit->menuAction()->setVisible(shown);
  ui_->menubar->setVisible(shown);
  layout()->activate();  // the smallest height the form may have follows the bar
  int bar = shown ? ui_->menubar->sizeHint().height() : -hidden_bar;
  resize(width(), height() + bar);
}

// ---- Code boxes

void frmOptions::ConnectCode() {
  for (const Skeleton& skeleton : kSkeletons) {
    auto* box = findChild<QPlainTextEdit*>(skeleton.box);
    connect(box, &QPlainTextEdit::textChanged, this, [this, box] { RefillEmptyCode(box); });
  }
  ui_->txtStyleCode->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ui_->txtStyleCode, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { ui_->mnuStyle->popup(ui_->txtStyleCode->mapToGlobal(at)); });
  connect(ui_->mnuAddCSSURL, &QAction::triggered, this, &frmOptions::AddCssFileUrl);
  connect(ui_->mnuAddCSSCONT, &QAction::triggered, this, &frmOptions::AddCssFileContents);
}

void frmOptions::RefillEmptyCode(QPlainTextEdit* box) {
  for (const Skeleton& skeleton : kSkeletons) {
    if (box->objectName() != skeleton.box) continue;
    QString text = box->toPlainText();
    if (!(skeleton.blank_is_empty ? Trim(S(text)).empty() : text.isEmpty())) return;
    box->setPlainText(skeleton.text);
    PlaceCaret(box, skeleton.caret < 0 ? box->toPlainText().size() : skeleton.caret);
    return;
  }
}

QString frmOptions::AskForCss() {
  return AskForPath(this, {FileRequest::kOpen,
                           "Locate CSS File",
                           "CSS Files (*.css);;All Files (*)",
                           {},
                           Q(context_.program_folder)});
}

void frmOptions::AddCssFileUrl() {
  QString path = AskForCss();
  if (path.isEmpty()) return;
  ui_->txtStyleCode->setPlainText("<link rel=\"stylesheet\" type=\"text/css\" href=\"" + path +
                                  "\">");
  PlaceCaret(ui_->txtStyleCode, 0);
}

void frmOptions::AddCssFileContents() {
  QString path = AskForCss();
  if (path.isEmpty()) return;
  std::string css, err;
  if (!ReadWholeFile(S(path), &css, &err)) {  // the box names the file and what is wrong
    ShowMessage(this, {QMessageBox::Warning, "Error", Q(err), QMessageBox::Ok});
    return;
  }
  ui_->txtStyleCode->setPlainText(Q(StyleCodeFromCss(css)));
}

void frmOptions::Browse(QLineEdit* box, const QString& title) {
  QString path =
      AskForPath(this, {FileRequest::kOpen, title, kTextFiles, {}, Q(context_.program_folder)});
  if (!path.isEmpty()) box->setText(path);
}

// A name that is not an existing file opens nothing.
void frmOptions::OpenInTextEditor(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) return;
  if (!OpenThroughDesktop(QUrl::fromLocalFile(path).toString()))
    ShowMessage(this,
                {QMessageBox::Critical, "Little Mix Up", "Text editor not found", QMessageBox::Ok});
}

// ---- The snipplet list

void frmOptions::ConnectSnipplets() {
  ui_->lstRows->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));  // paths line up
  connect(ui_->txtRows, &QLineEdit::textChanged, this, &frmOptions::RebuildRows);
  connect(ui_->cmdLoadSnipplet, &QPushButton::clicked, this, &frmOptions::LoadSnipplet);
  connect(ui_->cmdClrRow, &QPushButton::clicked, this, &frmOptions::ClearSnipplet);
  connect(ui_->cmdClrRowAll, &QPushButton::clicked, this, &frmOptions::ClearAllSnipplets);
  // The right button makes the entry under the pointer the current one first.
  connect(ui_->lstRows, &QWidget::customContextMenuRequested, this, &frmOptions::OpenSnipplet);
}

Control frmOptions::Rows() const {
  Control rows = form_.at("lstRows");
  ReadControl(ui_->lstRows, &rows);
  return rows;
}

void frmOptions::ShowRows(const Control& rows) { ShowControl(rows, ui_->lstRows); }

// Rows that remain keep their files and selections; the record takes them at once.
void frmOptions::RebuildRows() {
  Control rows = Rows();
  RebuildSnippletList(S(ui_->txtRows->text()), &rows, context_.record);
  ShowRows(rows);
}

void frmOptions::LoadSnipplet() {
  QString path = AskForPath(
      this, {FileRequest::kOpen, "Locate File", kTextFiles, {}, Q(context_.program_folder)});
  if (path.isEmpty()) return;
  Control rows = Rows();
  if (::LoadSnipplet(S(path), &rows)) ShowRows(rows);
}

void frmOptions::ClearSnipplet() {
  Control rows = Rows();
  ::ClearSnipplet(&rows);
  ShowRows(rows);
}

void frmOptions::ClearAllSnipplets() {
  if (!ConfirmClear(this)) return;
  Control rows = Rows();
  ::ClearAllSnipplets(S(ui_->txtRows->text()), &rows);
  ShowRows(rows);
}

void frmOptions::OpenSnipplet() {
  Control rows = Rows();
  if (rows.index >= 0) OpenInTextEditor(Q(EntryPath(rows.entries[rows.index])));
}

// ---- The editors and palettes

void frmOptions::ConnectEditors() {
  InsertionTarget& target = context_.editors->target;
  target.Disarm();
  for (const char* box : kInsertionBoxes) target.WatchCodeBox(findChild<QPlainTextEdit*>(box));
  for (const char* control : kDisarming) target.WatchDisarming(findChild<QWidget*>(control));
  target.WatchDisarming(ui_->SSTab1->tabBar());
  ConnectColourBox(this, context_.editors);
  for (auto [button, palette] : kTagButtons)
    connect(findChild<QPushButton*>(button), &QPushButton::clicked, this,
            [this, shown = palette] { ShowTagPalette(shown, this); });
  connect(ui_->cmdShowJava, &QPushButton::clicked, this, &frmOptions::EditJavaCode);
  connect(ui_->mnuInactive, &QAction::triggered, this, &frmOptions::EditInactiveLink);
  connect(ui_->mnuNoMenu, &QAction::triggered, this, &frmOptions::EditNoMenu);
  connect(ui_->cmdEditTemplate, &QPushButton::clicked, this, &frmOptions::EditTemplate);
  connect(ui_->cmdTmplNew, &QPushButton::clicked, this, &frmOptions::NewTemplate);
}

void frmOptions::EditJavaCode() {
  frmJavaCode editor(ui_->txtJavaCode->toPlainText(), this);
  if (editor.exec() == QDialog::Accepted) ui_->txtJavaCode->setPlainText(editor.code());
}

// The dialog's own colour box hides while the editor's is at work.
void frmOptions::EditInactiveLink() {
  ui_->fraColorBoxBack->hide();
  frmLinkInact editor(
      {ui_->lblLinkInact->text(), ui_->chkLinkInact->isChecked(), ui_->chkInactAuto->isChecked()},
      context_.editors, this);
  if (editor.exec() == QDialog::Accepted) {
    InactiveLink link = editor.link();
    ui_->lblLinkInact->setText(link.code);
    ui_->chkLinkInact->setChecked(link.custom);
    ui_->chkInactAuto->setChecked(link.automatic);
  }
  ui_->fraColorBoxBack->show();
}

void frmOptions::EditNoMenu() {
  frmNoMenu editor(ui_->lblNoMenu->text(), this);
  if (editor.exec() == QDialog::Accepted) ui_->lblNoMenu->setText(editor.code());
}

// The file of txtTmplAddy, looked for beside the loaded .cfg when the name
// has no folder. Closing the editor with the path still empty opens it once
// more, empty.
void frmOptions::EditTemplate() {
  std::string path = TemplatePath(S(ui_->txtTmplAddy->text()), context_.config_dir);
  TemplateStart start{.path = Q(path)};
  std::string text, err;
  bool known = QFileInfo(start.path).isFile();
  if (known && !ReadWholeFile(path, &text, &err)) {
    ShowError(this, Q(err));
    known = false;
  } else if (!known) {
    ShowTemplateNotFound();
  }
  if (known) {
    start.caption = TemplateCaption(start.path);
    start.text = Q(text).replace("\r\n", "\n");
  }
  context_.editors->template_known = known;
  ShowTemplateEditor(start);
  if (!ui_->txtTmplAddy->text().trimmed().isEmpty()) return;
  ShowTemplateNotFound();
  context_.editors->template_known = false;
  ShowTemplateEditor({.path = start.path});
}

void frmOptions::NewTemplate() {
  context_.editors->template_known = false;
  ShowTemplateEditor({.caption = "New Template - UNSAVED"});
}

void frmOptions::ShowTemplateNotFound() {
  ShowMessage(this, {QMessageBox::Critical, "Oops!", "Template file not found!", QMessageBox::Ok});
}

// A file the editor loaded or saved and then saved to becomes the template.
void frmOptions::ShowTemplateEditor(const TemplateStart& start) {
  frmTmpl editor(start, context_, this);
  editor.exec();
  if (!editor.handed_back().isEmpty()) ui_->txtTmplAddy->setText(editor.handed_back());
}

// ---- OK

void frmOptions::Commit() {
  context_.editors->target.Disarm();
  if (!checks_->PassFocused()) return;
  Form before = Controls();
  Form form = before;
  std::optional<Refusal> refusal = CommitAdvanced(&form, context_.record, context_.flags);
  if (!refusal) {
    accept();
    return;
  }
  ShowRefusal(this, *refusal);
  for (const auto& [name, control] : form)  // the fields the refusal reset
    if (control.text != before.at(name).text) ShowControl(control, findChild<QObject*>(Q(name)));
  if (refusal->tab >= 0) ui_->SSTab1->setCurrentIndex(refusal->tab);
  if (!refusal->focus.empty()) findChild<QWidget*>(Q(refusal->focus))->setFocus();
}
