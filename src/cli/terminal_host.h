// The run host of kesto-cli: progress, questions and the report on the terminal.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "run/run_host.h"

enum class DeleteAnswer { kAsk, kYes, kNo };

class TerminalHost : public RunHost {
 public:
  /// `err` receives everything; `in` answers questions when it is a terminal.
  TerminalHost(std::FILE* err, std::FILE* in, bool quiet, DeleteAnswer answer);

  /// A live bar on a terminal; otherwise one plain line per directory.
  void ShowProgress(const ProgressState& state) override;
  void HideProgress() override;
  /// True once after each Ctrl-C.
  bool PollStop() override;
  void SetStatusVisible(bool visible) override;
  /// Prints the list, then takes the --yes/--no answer or asks on a terminal.
  bool ConfirmDelete(const std::string& text) override;
  void ShowReport(const std::string& text) override;
  /// One "kesto-cli: ..." line.
  void Warn(const std::string& text) override;

  /// True when a report was shown or something could not be written.
  bool reported() const { return reported_ || warned_; }
  /// True once Ctrl-C was pressed during the run.
  bool interrupted() const { return interrupted_; }

  /// Makes Ctrl-C ask for STOP; a second Ctrl-C ends the program at once.
  static void CatchInterrupt();

 private:
  void DrawBar(const ProgressState& state, bool force);
  void PlainLine(const ProgressState& state);
  void ClearBar();

  std::FILE* err_;
  std::FILE* in_;
  bool quiet_;
  bool live_;
  DeleteAnswer answer_;
  bool reported_ = false;
  bool warned_ = false;
  bool interrupted_ = false;
  bool bar_drawn_ = false;
  size_t announced_dir_ = static_cast<size_t>(-1);
  std::chrono::steady_clock::time_point dir_start_;
  std::chrono::steady_clock::time_point last_draw_;
};
