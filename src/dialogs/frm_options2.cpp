#include "dialogs/frm_options2.h"

#include <QActionGroup>
#include <utility>

#include "dialogs/field_checks.h"
#include "dialogs/form_binding.h"
#include "dialogs/frm_rights.h"
#include "dialogs/frm_sep_opt.h"
#include "dialogs/frm_tbl_opt.h"
#include "ui_frm_options2.h"

frmOptions2::frmOptions2(Form form, ExpressSettings* record, CommittedFlags* flags, QWidget* owner)
    : QDialog(owner),
      ui_(std::make_unique<Ui::frmOptions2>()),
      form_(std::move(form)),
      record_(record),
      flags_(flags),
      checks_(new FieldChecks(this, CheckedDialog::kExpress)) {
  ui_->setupUi(this);
  layout()->setMenuBar(ui_->menubar);
  ConnectControls();
  ShowControls(form_, this);
}

frmOptions2::~frmOptions2() = default;

void frmOptions2::ConnectControls() {
  const std::pair<UpDown*, QLineEdit*> number_boxes[] = {{ui_->UDRows, ui_->txtRows},
                                                         {ui_->UDCols, ui_->txtCols},
                                                         {ui_->UDFont, ui_->txtFontSize},
                                                         {ui_->UDImgBorder, ui_->txtImgBorder},
                                                         {ui_->UDTableWidth, ui_->txtTableWidth},
                                                         {ui_->UDTableBorder, ui_->txtTableBorder}};
  for (auto [up_down, box] : number_boxes) checks_->WatchNumber(up_down, box);
  checks_->Watch(ui_->txtPageTitle, false);
  checks_->Exempt(ui_->cmdOptCancel);
  // One item of each menu is checked: a click checks it and unchecks the others.
  auto* locations = new QActionGroup(this);
  for (QAction* item : {ui_->mnuMenuTop, ui_->mnuMenuBottom, ui_->mnuMenuBoth})
    locations->addAction(item);
  auto* targets = new QActionGroup(this);
  for (QAction* item :
       {ui_->mnuOpenInSame, ui_->mnuOpenInNew, ui_->mnuOpenInJava, ui_->mnuOpenInViewer})
    targets->addAction(item);
  // The preview shows the chosen font; with none chosen, the dialog's own.
  connect(ui_->cboFonts, &QComboBox::currentTextChanged, this, [this](const QString& family) {
    QFont font = ui_->lblPrimary->font();
    font.setFamily(family.isEmpty() ? this->font().family() : family);
    ui_->lblPrimary->setFont(font);
  });
  connect(ui_->mnuCopyright, &QAction::triggered, this, &frmOptions2::EditRights);
  connect(ui_->cmdSepOpt, &QPushButton::clicked, this, &frmOptions2::EditSeparatePages);
  connect(ui_->cmdTblMore, &QPushButton::clicked, this, &frmOptions2::EditTableOptions);
  connect(ui_->cmdOptOk, &QPushButton::clicked, this, &frmOptions2::Commit);
  connect(ui_->cmdOptCancel, &QPushButton::clicked, this, &QDialog::reject);
}

Form frmOptions2::Controls() const {
  Form form = form_;
  ReadControls(this, &form);
  return form;
}

void frmOptions2::Commit() {
  if (!checks_->PassFocused()) return;
  if (std::optional<Refusal> refusal = CommitExpress(Controls(), record_, flags_)) {
    ShowRefusal(this, *refusal);
    return;
  }
  accept();
}

void frmOptions2::EditRights() {
  frmRights window(this);
  EditHolders(&window, {"chkUseRights", "txtRights"});
}

void frmOptions2::EditSeparatePages() {
  frmSepOpt window(this);
  EditHolders(&window, {"chkShowNP"});
}

void frmOptions2::EditTableOptions() {
  frmTblOpt window(this);
  EditHolders(&window, {"chkEnableTblOpt", "txtPadding", "txtSpacing", "ColorTableCell"});
}

// The small window edits copies of the hidden holders; only its OK copies them back.
void frmOptions2::EditHolders(QDialog* window, std::initializer_list<const char*> holders) {
  Form copies;
  for (const char* name : holders) copies[name] = form_.at(name);
  ReadControls(ui_->picHolders, &copies);
  ShowControls(copies, window);
  if (window->exec() != QDialog::Accepted) return;
  ReadControls(window, &copies);
  ShowControls(copies, ui_->picHolders);
}
