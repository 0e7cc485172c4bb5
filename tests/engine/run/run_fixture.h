// A folder for runs and a host that records what a run asks of it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "run/run.h"
#include "run/run_host.h"
#include "settings/record_fields.h"
#include "temp_folder.h"

namespace run_test {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// STOP is pressed once `stop_when` holds; `while_asked` runs before the `answer`.
struct FakeHost : RunHost {
  std::vector<ProgressState> progress;
  std::function<bool(const FakeHost&)> stop_when;
  bool stopped = false, answer = true;
  std::function<void()> while_asked;
  Names questions, reports, warnings;

  void ShowProgress(const ProgressState& state) override { progress.push_back(state); }
  void HideProgress() override {}
  bool PollStop() override { return !stopped && stop_when && (stopped = stop_when(*this)); }
  void SetStatusVisible(bool) override {}
  bool ConfirmDelete(const std::string& text) override {
    questions.push_back(text);
    if (while_asked) while_asked();
    return answer;
  }
  void ShowReport(const std::string& text) override { reports.push_back(text); }
  void Warn(const std::string& text) override { warnings.push_back(text); }
};

/// Runs `check` in a child process; whether it gave true.
inline bool InChild(const std::function<bool()>& check) {
  pid_t child = fork();
  if (child == 0) _exit(check() ? 0 : 1);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class RunTest : public ::testing::Test {
 protected:
  std::string Dir(const std::string& name) {
    fs::create_directories(temp_.Path(name));
    return temp_.Path(name);
  }
  // Copies tests/data/`fixture` to `to`, making the folders on the way.
  static void Copy(const std::string& to, const std::string& fixture = "pictures/small.jpg") {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(std::string(KESTO_TEST_DATA) + "/" + fixture, to);
  }
  // "1" or "0" for each path (in the temporary folder unless whole) there or not.
  std::string Present(const Names& paths) const {
    std::string flags;
    for (const std::string& p : paths)
      flags += fs::exists(fs::symlink_status(p[0] == '/' ? p : temp_.Path(p))) ? '1' : '0';
    return flags;
  }
  static Names Listing(const std::string& dir) {
    Names names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  static AdvancedSettings Advanced(const std::string& lines) {
    AdvancedSettings settings;
    Assign(kAdvancedFields, lines, &settings);
    return settings;
  }
  static RunInput Input(Names dirs, ExtraFormats formats = {}) {
    return {std::move(dirs), {}, 2, std::move(formats)};
  }
  // A run in Advanced or Express mode; gives the warnings it told.
  Names Run(bool advanced, const RunInput& input, const AdvancedSettings& advanced_settings = {},
            const ExpressSettings& express = {}) {
    host_.warnings.clear();
    Process(advanced, input, advanced_settings, express, &host_, &report_);
    return host_.warnings;
  }

  TempFolder temp_;
  const std::string pics_ = Dir("pics");  // the usual picture folder
  FakeHost host_;
  RunReport report_;
};

}  // namespace run_test
