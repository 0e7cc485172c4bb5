// A run host that records what the run asks of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "run/run_host.h"

struct FakeHost : RunHost {
  std::vector<ProgressState> progress;
  int hides = 0;
  std::function<bool(const FakeHost&)> stop_when;  // STOP is pressed once this holds
  bool stopped = false;
  std::vector<std::string> questions;  // the lists of ConfirmDelete
  bool answer = false;
  std::function<void()> while_asked;
  std::vector<std::string> reports;
  std::vector<std::string> warnings;

  void ShowProgress(const ProgressState& state) override { progress.push_back(state); }
  void HideProgress() override { ++hides; }
  bool PollStop() override {
    if (stopped || !stop_when || !stop_when(*this)) return false;
    return stopped = true;
  }
  void SetStatusVisible(bool) override {}
  bool ConfirmDelete(const std::string& text) override {
    questions.push_back(text);
    if (while_asked) while_asked();
    return answer;
  }
  void ShowReport(const std::string& text) override { reports.push_back(text); }
  void Warn(const std::string& text) override { warnings.push_back(text); }
};
