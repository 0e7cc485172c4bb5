// The main window: the directory list, the thumbnail options, the mode and
// File menus and the Process button. It holds the program's settings between
// the windows, reads them from the state folder when the program starts and
// writes them back when it closes.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/options_context.h"
#include "forms/session.h"
#include "forms/settings_transfer.h"
#include "pages/run_report.h"

class FieldChecks;
class FormatList;
class RunWindows;
namespace Ui {
class frmMain;
}

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  /// A window over the state folder `state_folder` ("nd.ini" and the autosaves).
  explicit frmMain(std::string state_folder, QWidget* parent = nullptr);
  ~frmMain() override;

  /// Start-up: centres the window and fills it and the settings from the
  /// state folder, reporting a file that cannot be read. False when the
  /// program is to end: the folder had no "nd.ini", so one was written.
  bool StartUp();

  /// The settings of both modes and ConfigDir, read and committed by the dialogs.
  Session& session() { return session_; }
  /// What the last run collected; changes only while a run is going.
  const RunReport& report() const { return report_; }

 signals:
  /// A run started by Process has ended and its report has been shown.
  void RunEnded();

 protected:
  /// Shut-down: during a run, stops it as STOP does and closes once it has
  /// ended; otherwise writes the state folder (reporting a failure) and
  /// always closes.
  void closeEvent(QCloseEvent* event) override;
  /// The hint of chkLoadLast.
  bool eventFilter(QObject* watched, QEvent* event) override;
  /// Folders dragged from a file manager are added to the list.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ConnectDirectoryList();
  void ConnectOptions();
  void ConnectMenus();
  void Centre();

  void AddDirectory(QString path);
  void AskForDirectory();
  void AddTree(const QString& root);
  void RemoveDirectory();
  void ClearDirectories();
  void OpenDirectory();
  void SaveDirectoryList();
  void LoadDirectoryList();
  void FillDirectories(const std::vector<std::string>& dirs);
  std::vector<std::string> Directories() const;
  void FitDropDownWidth();

  void AddFormatList();
  void ShowQuality(int value);
  void TakeResizeMethod();

  bool Advanced() const;
  void LoadConfig();
  void ShowConfigName(const QString& path);  // in the caption
  void SaveConfig();
  void ShowAbout();
  void EditSettings();

  Form& AdvancedForm();
  Form& ThumbCodeForm();
  bool FillAdvancedForm(bool tell);
  void FillAdvancedDialogs();
  void FillDialogs();
  void ShowAdvancedSettings();
  void CommitAdvancedAtStartUp();

  Form& ExpressForm();
  void ShowExpressSettings();
  void CommitExpressAtStartUp();

  ThumbOptions Thumbs() const;
  void ShowThumbs(const ThumbOptions& thumbs);
  ProgramState State() const;
  void ShowState(const ProgramState& state);

  void Process();
  void EndRun();
  void SetRunning(bool running);

  std::unique_ptr<Ui::frmMain> ui_;
  std::string state_folder_;
  Session session_;
  RunReport report_;           // written by the run's thread while it goes
  std::string resize_method_;  // "Height", "Width", "Both", or what a file held
  FieldChecks* checks_;        // the size boxes

  // A run goes on its own thread; the windows hear of it through run_.
  std::thread worker_;
  RunWindows* run_ = nullptr;  // while a run goes
  bool closing_ = false;       // asked to close during a run: closes at its end

  FormatList* formats_ = nullptr;  // the extra picture types, below the thumbnail options
  CommittedFlags committed_;
  std::optional<Form> advanced_form_;    // frmOptions while it is loaded
  std::optional<Form> thumb_code_form_;  // frmNPControl while it is loaded
  EditorMemory editor_memory_;           // what the code editors keep between openings
  std::optional<Form> express_form_;     // frmOptions2 while it is loaded
};
