// A run host that records what the run asks of it, and a fixture of folders
// for runs.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "run/run.h"
#include "run/run_host.h"
#include "temp_folder.h"

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

class RunFixture : public ::testing::Test {
 protected:
  /// Makes the folder `name` (and the folders on its way); gives its path.
  std::string Dir(const std::string& name) {
    std::filesystem::create_directories(temp_.Path(name));
    return temp_.Path(name);
  }
  /// Copies tests/data/`fixture` to `to`, making the folders on the way.
  static void Copy(const std::string& fixture, const std::string& to) {
    std::filesystem::create_directories(std::filesystem::path(to).parent_path());
    std::filesystem::copy_file(std::string(KESTO_TEST_DATA) + "/" + fixture, to);
  }
  static void Small(const std::string& to) { Copy("pictures/small.jpg", to); }
  static bool Exists(const std::string& path) {
    return std::filesystem::exists(std::filesystem::symlink_status(path));
  }
  /// The names in `dir`, sorted.
  static std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  RunInput Input(std::vector<std::string> dirs, ExtraFormats formats = {}) {
    RunInput input;
    input.directories = std::move(dirs);
    input.workers = 2;
    input.formats = formats;
    return input;
  }
  void Run(bool advanced, const RunInput& input, const AdvancedSettings& advanced_settings = {},
           const ExpressSettings& express = {}) {
    Process(advanced, input, advanced_settings, express, &host_, &report_);
  }

  TempFolder temp_;
  FakeHost host_;
  RunReport report_;
};
