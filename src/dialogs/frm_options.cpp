#include "dialogs/frm_options.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QUrl>
#include <utility>
#include <vector>

#include "dialogs/code_boxes.h"
#include "dialogs/desktop.h"
#include "dialogs/field_checks.h"
#include "dialogs/file_dialog.h"
#include "dialogs/form_binding.h"
#include "dialogs/message_box.h"
#include "settings/file_io.h"
#include "settings/snipplet_rows.h"
#include "settings/text.h"
#include "ui_frm_options.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

const char kTextFiles[] = "Text Files (*.txt *.html *.htm *.shtml);;All Files (*)";
const char kCssFiles[] = "CSS Files (*.css);;All Files (*)";

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
  for (auto [up_down, box] : numbers) {
    up_down->setBuddy(box);
    checks_->Watch(box, true);
  }
  checks_->Watch(ui_->txtBreakMenuNum, true);
  for (QLineEdit* box :
       {ui_->txtPageFileName, ui_->txtPageTitle, ui_->txtSubFolderName, ui_->txtThumbExt,
        ui_->txtFNameReplaceStr, ui_->txtMetaRevisit, ui_->txtColor})
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

void frmOptions::AddCssFileUrl() {
  QString path = AskForPath(this, {FileRequest::kOpen, "Locate CSS File", kCssFiles, {}});
  if (path.isEmpty()) return;
  ui_->txtStyleCode->setPlainText("<link rel=\"stylesheet\" type=\"text/css\" href=\"" + path +
                                  "\">");
  PlaceCaret(ui_->txtStyleCode, 0);
}

void frmOptions::AddCssFileContents() {
  QString path = AskForPath(this, {FileRequest::kOpen, "Locate CSS File", kCssFiles, {}});
  if (path.isEmpty()) return;
  std::string css, err;
  if (!ReadWholeFile(S(path), &css, &err)) {
    ShowMessage(this,
                {QMessageBox::Warning, "Error", "Unknown error loading file", QMessageBox::Ok});
    return;
  }
  ui_->txtStyleCode->setPlainText(Q(StyleCodeFromCss(css)));
}

void frmOptions::Browse(QLineEdit* box, const QString& title) {
  QString path = AskForPath(this, {FileRequest::kOpen, title, kTextFiles, {}});
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
  QString path = AskForPath(this, {FileRequest::kOpen, "Locate File", kTextFiles, {}});
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
  MessageRequest question{QMessageBox::Question, Q(std::string(kClearAllTitle)),
                          Q(std::string(kClearAllQuestion)), QMessageBox::Yes | QMessageBox::No};
  if (ShowMessage(this, question) != QMessageBox::Yes) return;
  Control rows = Rows();
  ::ClearAllSnipplets(S(ui_->txtRows->text()), &rows);
  ShowRows(rows);
}

void frmOptions::OpenSnipplet() {
  Control rows = Rows();
  if (rows.index >= 0) OpenInTextEditor(Q(EntryPath(rows.entries[rows.index])));
}

// ---- OK

void frmOptions::Commit() {
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
