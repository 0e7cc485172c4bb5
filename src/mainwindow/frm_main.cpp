#include "mainwindow/frm_main.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <algorithm>

#include "dialogs/desktop.h"
#include "dialogs/field_checks.h"
#include "dialogs/file_dialog.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_options.h"
#include "dialogs/frm_options2.h"
#include "dialogs/message_box.h"
#include "mainwindow/format_list.h"
#include "mainwindow/run_windows.h"
#include "run/fonts.h"
#include "run/picture_facts.h"
#include "run/run.h"
#include "run/tree.h"
#include "settings/advanced_config.h"
#include "settings/dir_list.h"
#include "settings/express_config.h"
#include "settings/text.h"
#include "ui_frm_main.h"

namespace {

const char kHelpUrl[] = "https://kesto.example/help";
const char kMirrorUrl[] = "https://mirror.kesto.example/help";
const char kDirLists[] = "Directory List (*.dir)";

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QString ConfigFilter(bool advanced) {
  return advanced ? "Config File (*.cfg)" : "Express Config File (*.cfe)";
}

// The local folders among dropped URLs.
QStringList DroppedFolders(const QMimeData* mime) {
  QStringList folders;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir()) folders << url.toLocalFile();
  return folders;
}

}  // namespace

frmMain::frmMain(std::string state_folder, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::frmMain>()),
      state_folder_(std::move(state_folder)),
      checks_(new FieldChecks(this, CheckedDialog::kMain)) {
  ui_->setupUi(this);
  ui_->cmdStatus->hide();
  setAcceptDrops(true);
  ConnectDirectoryList();
  ConnectOptions();
  ConnectMenus();
  AddFormatList();
  ShowState(ProgramState());
}

// A run still going (the window was never closed) stops as STOP stops it.
frmMain::~frmMain() {
  if (!worker_.joinable()) return;
  run_->Stop();
  worker_.join();
}

void frmMain::ConnectDirectoryList() {
  connect(ui_->cmdAddDir, &QPushButton::clicked, this, &frmMain::AskForDirectory);
  connect(ui_->cmdDelDir, &QPushButton::clicked, this, &frmMain::RemoveDirectory);
  connect(ui_->cmdDirClr, &QPushButton::clicked, this, &frmMain::ClearDirectories);
  connect(ui_->cmdDirNav, &QPushButton::clicked, this, &frmMain::OpenDirectory);
  connect(ui_->cmdDirListSave, &QPushButton::clicked, this, &frmMain::SaveDirectoryList);
  connect(ui_->cmdDirListLoad, &QPushButton::clicked, this, &frmMain::LoadDirectoryList);
}

void frmMain::ConnectOptions() {
  connect(ui_->hsbQuality, &QScrollBar::valueChanged, this, &frmMain::ShowQuality);
  for (QRadioButton* button : {ui_->optResByH, ui_->optResByW, ui_->optResByHW})
    connect(button, &QRadioButton::clicked, this, &frmMain::TakeResizeMethod);
  for (QLineEdit* box : {ui_->txtThumbH, ui_->txtThumbW})
    checks_->Watch(box, true, FieldChecks::OnFocus::kCaretAtEnd);
  ui_->chkLoadLast->installEventFilter(this);
  connect(ui_->cmdProcess, &QPushButton::clicked, this, &frmMain::Process);
}

void frmMain::ConnectMenus() {
  auto* modes = new QActionGroup(this);
  modes->addAction(ui_->mnuModeExp);
  modes->addAction(ui_->mnuModeAdv);
  connect(ui_->mnuLoad, &QAction::triggered, this, &frmMain::LoadConfig);
  connect(ui_->Save, &QAction::triggered, this, &frmMain::SaveConfig);
  connect(ui_->mnuEdit, &QAction::triggered, this, &frmMain::EditSettings);
  connect(ui_->mnuHelp1, &QAction::triggered, this, [] { OpenThroughDesktop(kHelpUrl); });
  connect(ui_->mnuHelp2, &QAction::triggered, this, [] { OpenThroughDesktop(kMirrorUrl); });
  connect(ui_->mnuAbout, &QAction::triggered, this, &frmMain::ShowAbout);
}

bool frmMain::StartUp() {
  Centre();
  std::string err;
  switch (StartSession(state_folder_, &session_, &err)) {
    case StartUpResult::kNoStateFile:
      ShowMessage(this, {QMessageBox::Critical, "Error!",
                         "Error opening ini file!\nYou may have to reinstall the program",
                         QMessageBox::Ok});
      if (!WriteProgramState(StatePath(state_folder_, "nd.ini"), State(), &err))
        ShowError(this, Q(err));
      return false;
    case StartUpResult::kFailed:  // the dialogs show what was read; nothing is committed
      ShowState(session_.state);
      ShowError(this, Q(err));
      FillDialogs();
      return true;
    case StartUpResult::kReady:
      ShowState(session_.state);
      CommitAdvancedAtStartUp();
      CommitExpressAtStartUp();
      return true;
  }
  return true;
}

void frmMain::Centre() {
  adjustSize();
  QRect screen = this->screen()->availableGeometry();
  move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (run_) {
    closing_ = true;
    run_->Stop();
    event->ignore();
    return;
  }
  session_.state = State();
  std::string err;
  if (!EndSession(state_folder_, session_, &err)) ShowError(this, Q(err));
  event->accept();
}

// ---- Directory list

void frmMain::AddDirectory(QString path) {
  if (!path.isEmpty()) {
    if (!path.endsWith('/') && !path.endsWith('\\')) path += '/';
    QComboBox* list = ui_->cboDirList;
    if (list->findText(path, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
      list->addItem(path);
      list->setCurrentIndex(list->count() - 1);
    }
  }
  FitDropDownWidth();
}

// The picker also offers the folder's whole tree: the folder and every
// folder below it that holds pictures, as a run of the current mode sees them.
void frmMain::AskForDirectory() {
  bool with_subfolders = false;
  QString path =
      AskForFolder(this, "Please select a folder.", "Add with subfolders", &with_subfolders);
  if (with_subfolders && !path.isEmpty())
    AddTree(path);
  else
    AddDirectory(path);
}

void frmMain::AddTree(const QString& root) {
  TreeRules rules = RunTreeRules(Advanced(), session_.advanced, formats_->ForRun());
  std::vector<TreeWarning> warnings;
  for (const std::string& folder : PictureTree(S(root), rules, &warnings)) AddDirectory(Q(folder));
  QStringList unread;  // folders that cannot be read, in one box
  for (const TreeWarning& warning : warnings) unread << Q(VisibleControls(warning.text));
  if (!unread.isEmpty()) ShowError(this, unread.join('\n'));
}

void frmMain::RemoveDirectory() {
  QComboBox* list = ui_->cboDirList;
  if (list->currentIndex() >= 0) {
    list->removeItem(list->currentIndex());
    if (list->count() > 0) list->setCurrentIndex(0);
  }
  FitDropDownWidth();
}

void frmMain::ClearDirectories() {
  if (ui_->cboDirList->count() == 0) {
    ShowMessage(this, {QMessageBox::NoIcon, "Sorry", "Just cleared nothing, Sir", QMessageBox::Ok});
    return;
  }
  if (ConfirmClear(this)) ui_->cboDirList->clear();
  FitDropDownWidth();
}

void frmMain::OpenDirectory() {
  QString path = ui_->cboDirList->currentText();
  if (!path.isEmpty() && QFileInfo(path).isDir())
    OpenThroughDesktop(QUrl::fromLocalFile(path).toString());
}

void frmMain::SaveDirectoryList() {
  QString path = AskForPath(
      this, {FileRequest::kSave, "Save Directory List", kDirLists, "dir", Q(state_folder_)});
  std::string err;
  if (!path.isEmpty() && !SaveDirList(S(path), Directories(), &err)) ShowError(this, Q(err));
}

void frmMain::LoadDirectoryList() {
  QString path = AskForPath(
      this, {FileRequest::kOpen, "Load Directory List", kDirLists, {}, Q(state_folder_)});
  if (path.isEmpty()) return;
  std::vector<std::string> dirs;
  std::string err;
  if (LoadDirList(S(path), &dirs, &err))
    FillDirectories(dirs);
  else
    ShowError(this, Q(err));
}

void frmMain::FillDirectories(const std::vector<std::string>& dirs) {
  ui_->cboDirList->clear();
  for (const std::string& dir : dirs) ui_->cboDirList->addItem(Q(dir));
  if (!dirs.empty()) ui_->cboDirList->setCurrentIndex(0);
  FitDropDownWidth();
}

std::vector<std::string> frmMain::Directories() const {
  std::vector<std::string> dirs;
  for (int i = 0; i < ui_->cboDirList->count(); ++i)
    dirs.push_back(S(ui_->cboDirList->itemText(i)));
  return dirs;
}

// The drop-down opens as wide as the longest entry, wider than the box if need be.
void frmMain::FitDropDownWidth() {
  QFontMetrics metrics = ui_->cboDirList->view()->fontMetrics();
  int widest = 0;
  for (int i = 0; i < ui_->cboDirList->count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(ui_->cboDirList->itemText(i)));
  ui_->cboDirList->view()->setMinimumWidth(widest + 4 * metrics.averageCharWidth());
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!run_ && !DroppedFolders(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
  for (const QString& folder : DroppedFolders(event->mimeData())) AddDirectory(folder);
  event->acceptProposedAction();
}

// ---- Thumbnail options

void frmMain::AddFormatList() {
  formats_ = new FormatList(ReadablePictureTypes(), ui_->centralwidget);
  ui_->layMain->insertWidget(ui_->layMain->indexOf(ui_->fraJpg) + 1, formats_);
}

void frmMain::ShowQuality(int value) {
  ui_->lblQuality->setText(QString::number(value) + "%");
  QPalette palette = ui_->lblQuality->palette();
  bool extreme = value < 50 || value > 90;
  palette.setColor(QPalette::WindowText, extreme ? QColor(0xC0, 0, 0) : QColor(Qt::black));
  ui_->lblQuality->setPalette(palette);
  ui_->lblQuality->repaint();
}

void frmMain::TakeResizeMethod() {
  if (ui_->optResByH->isChecked())
    resize_method_ = "Height";
  else if (ui_->optResByW->isChecked())
    resize_method_ = "Width";
  else if (ui_->optResByHW->isChecked())
    resize_method_ = "Both";
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  bool focus_in = event->type() == QEvent::FocusIn;
  if (watched == ui_->chkLoadLast && (focus_in || event->type() == QEvent::FocusOut))
    ui_->Label1->setText(focus_in ? "Uncheck and restart for defaults" : "");
  return QMainWindow::eventFilter(watched, event);
}

ThumbOptions frmMain::Thumbs() const {
  ThumbOptions thumbs;
  thumbs.Quality = ui_->hsbQuality->value();
  thumbs.ResizeMethod = resize_method_;
  thumbs.Height = S(ui_->txtThumbH->text());
  thumbs.Width = S(ui_->txtThumbW->text());
  Qt::CheckState progressive = ui_->chkProgressive->checkState();
  thumbs.Progressive = progressive == Qt::Checked ? 1 : progressive == Qt::PartiallyChecked ? 2 : 0;
  return thumbs;
}

// The buttons show the method a run takes: a text other than the three (a
// file's "height", or none) is kept for the files, and resizes by height.
void frmMain::ShowThumbs(const ThumbOptions& thumbs) {
  ui_->hsbQuality->setValue(thumbs.Quality);
  ShowQuality(ui_->hsbQuality->value());
  resize_method_ = thumbs.ResizeMethod;
  ResizeBy by = EffectiveResize(thumbs);
  (by == ResizeBy::kWidth  ? ui_->optResByW
   : by == ResizeBy::kBoth ? ui_->optResByHW
                           : ui_->optResByH)
      ->setChecked(true);
  ui_->txtThumbH->setText(Q(thumbs.Height));
  ui_->txtThumbW->setText(Q(thumbs.Width));
  ui_->chkProgressive->setTristate(thumbs.Progressive == 2);  // "grey", as a file may hold
  ui_->chkProgressive->setCheckState(thumbs.Progressive == 1   ? Qt::Checked
                                     : thumbs.Progressive == 2 ? Qt::PartiallyChecked
                                                               : Qt::Unchecked);
}

// ---- Menus, state and the run

bool frmMain::Advanced() const { return ui_->mnuModeAdv->isChecked(); }

void frmMain::LoadConfig() {
  bool advanced = Advanced();
  QString path = AskForPath(this, {FileRequest::kOpen,
                                   "Load Configuration File",
                                   ConfigFilter(advanced),
                                   {},
                                   Q(state_folder_)});
  if (path.isEmpty()) return;
  ThumbOptions thumbs = Thumbs();
  std::string err;
  bool loaded = advanced ? LoadAdvancedConfig(S(path), &session_.advanced, &thumbs, &err)
                         : LoadExpressConfig(S(path), &session_.express, &thumbs, &err);
  ShowThumbs(thumbs);  // a damaged .cfe keeps what was read before the damage
  if (!loaded) {
    ShowError(this, Q(err));
    return;
  }
  ShowConfigName(path);
  if (advanced) {
    session_.ConfigDir = S(path.left(path.lastIndexOf('/') + 1));
    FillAdvancedDialogs();
  } else {
    SetOptionsExp(&session_.express, &ExpressForm());
  }
}

void frmMain::ShowConfigName(const QString& path) {
  setWindowTitle("KESTO - " + QFileInfo(path).fileName());
}

void frmMain::SaveConfig() {
  bool advanced = Advanced();
  QString path =
      AskForPath(this, {FileRequest::kSave, "Save Configuration File", ConfigFilter(advanced),
                        advanced ? "cfg" : "cfe", Q(state_folder_)});
  if (path.isEmpty()) return;
  std::string err;
  bool saved = advanced ? SaveAdvancedConfig(S(path), session_.advanced, Thumbs(), &err)
                        : SaveExpressConfig(S(path), session_.express, Thumbs(), &err);
  if (saved)
    ShowConfigName(path);
  else
    ShowError(this, Q(err));
}

void frmMain::ShowAbout() { frmAbout(this).exec(); }

// File > Settings: a dialog that was committed is filled from its record
// first; then the dialog of the mode is shown.
void frmMain::EditSettings() {
  SettingsCommand command =
      PlanSettingsCommand(committed_, Advanced(), ui_->mnuModeExp->isChecked());
  if (command.set_options) FillAdvancedForm(/*tell=*/false);  // told when it was loaded
  if (command.set_options_exp) SetOptionsExp(&session_.express, &ExpressForm());
  if (command.show == SettingsDialog::kAdvanced) ShowAdvancedSettings();
  if (command.show == SettingsDialog::kExpress) ShowExpressSettings();
}

// ---- The Express dialog

// frmOptions2's controls, loaded when first referenced and kept until it is
// shown: File > Load fills them without showing them.
Form& frmMain::ExpressForm() {
  if (!express_form_) express_form_ = NewExpressForm(session_.express, FontFamilies());
  return *express_form_;
}

// Modal over the main window; its OK and its Cancel both unload it.
void frmMain::ShowExpressSettings() {
  frmOptions2 dialog(ExpressForm(), &session_.express, &committed_, this);
  express_form_.reset();
  dialog.exec();
}

// Once at start-up, unseen, so that the record holds what the dialog would
// commit, the name of the chosen font included. Filling the dialog from a
// record that no file changed shows the dialog's own first values.
void frmMain::CommitExpressAtStartUp() {
  SetOptionsExp(&session_.express, &ExpressForm());
  if (std::optional<Refusal> refusal = CommitExpress(ExpressForm(), &session_.express, &committed_))
    ShowRefusal(this, *refusal);
  express_form_.reset();
}

// ---- The Advanced dialogs

// frmOptions' controls, loaded when first referenced and kept until it is
// shown: File > Load fills them without showing them.
Form& frmMain::AdvancedForm() {
  if (!advanced_form_) advanced_form_ = NewAdvancedForm();
  return *advanced_form_;
}

// frmNPControl's controls, kept in the same way.
Form& frmMain::ThumbCodeForm() {
  if (!thumb_code_form_) thumb_code_form_ = NewThumbCodeForm();
  return *thumb_code_form_;
}

// frmOptions' controls from the record; a record that cannot fill them (a
// damaged file) is reported when `tell`: once, when the file is read.
bool frmMain::FillAdvancedForm(bool tell) {
  std::string err;
  if (SetOptions(session_.advanced, &AdvancedForm(), &err)) return true;
  if (tell) ShowError(this, Q(err));
  return false;
}

// After a .cfg was read: both dialogs show its values, so a new file's
// snipplets replace the old ones.
void frmMain::FillAdvancedDialogs() {
  FillAdvancedForm(/*tell=*/true);
  SetThumbOptions(session_.advanced, &ThumbCodeForm());
}

// After a start whose files could not all be read: every dialog shows its
// record, what was read included, so that neither its OK nor the close
// writes first values over a file that was read.
void frmMain::FillDialogs() {
  FillAdvancedDialogs();
  SetOptionsExp(&session_.express, &ExpressForm());
}

// Modal over the main window; its OK and its Cancel both unload it.
void frmMain::ShowAdvancedSettings() {
  OptionsContext context{&session_.advanced, &committed_,   &thumb_code_form_,
                         &editor_memory_,    state_folder_, session_.ConfigDir};
  frmOptions dialog(AdvancedForm(), std::move(context), this);
  advanced_form_.reset();
  dialog.exec();
}

// Once at start-up, unseen, so that the records hold what the dialogs would
// commit. A record that cannot fill the dialog (a damaged autosave) is
// reported and nothing is committed; a refused commit keeps the dialog loaded.
void frmMain::CommitAdvancedAtStartUp() {
  if (!FillAdvancedForm(/*tell=*/true)) return;
  if (std::optional<Refusal> refusal =
          CommitAdvanced(&AdvancedForm(), &session_.advanced, &committed_))
    ShowRefusal(this, *refusal);
  else
    advanced_form_.reset();
  SetThumbOptions(session_.advanced, &ThumbCodeForm());
  CommitThumbCodes(ThumbCodeForm(), &session_.advanced, &committed_);
  thumb_code_form_.reset();
}

ProgramState frmMain::State() const {
  ProgramState state;
  state.Express = ui_->mnuModeExp->isChecked();
  state.LoadLast = ui_->chkLoadLast->isChecked();
  state.Thumbs = Thumbs();
  state.DirectoryList = Directories();
  state.Formats = formats_->Chosen();
  state.SortByDate = ui_->cboSortBy->currentIndex() == 1;
  return state;
}

void frmMain::ShowState(const ProgramState& state) {
  (state.Express ? ui_->mnuModeExp : ui_->mnuModeAdv)->setChecked(true);
  ui_->chkLoadLast->setChecked(state.LoadLast);
  ShowThumbs(state.Thumbs);
  FillDirectories(state.DirectoryList);
  formats_->Show(state.Formats);
  ui_->cboSortBy->setCurrentIndex(state.SortByDate ? 1 : 0);
}

// The run goes on its own thread; the window's thread stays free for the
// windows, and hears of the run's end from run_.
void frmMain::Process() {
  if (run_ || !checks_->PassFocused()) return;
  RunInput input;
  input.directories = Directories();
  input.thumbs = Thumbs();
  input.formats = formats_->ForRun();
  input.sort_by_date = ui_->cboSortBy->currentIndex() == 1;
  // Settings that could reach outside the gallery never start a run.
  std::string error = RunSettingsError(Advanced(), session_.advanced, input.thumbs);
  if (!error.empty()) {
    ShowMessage(this, {QMessageBox::Critical, "Error!", Q(error), QMessageBox::Ok});
    return;
  }
  ExpressSettings express = session_.express;
  FillFontName(&express);  // a .cfe without ExpressFontName: the font at its index
  run_ = new RunWindows(this, ui_->cmdStatus, input.directories, [this] { EndRun(); });
  SetRunning(true);
  worker_ = std::thread([windows = run_, report = &report_, advanced = Advanced(),
                         input = std::move(input), settings = session_.advanced,
                         express = std::move(express)] {
    ::Process(advanced, input, settings, express, windows, report);
    windows->End();
  });
}

// On the window's thread, once the run has told all it had to tell.
void frmMain::EndRun() {
  worker_.join();
  SetRunning(false);
  RunWindows* windows = std::exchange(run_, nullptr);
  windows->deleteLater();  // EndRun is called from one of its calls
  if (closing_)
    close();
  else
    windows->ShowCollected();
  emit RunEnded();
}

// The menu bar and the controls, not the whole window: that would disable the
// progress window and its STOP too.
void frmMain::SetRunning(bool running) {
  centralWidget()->setEnabled(!running);
  menuBar()->setEnabled(!running);
  if (running)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}
