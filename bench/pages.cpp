// Page-writing benchmark: a full run over a folder whose thumbnails all exist,
// at 2,000 and at 20,000 pictures, in both modes. Prints each time and the
// ratio of the two sizes (linear writing gives about 10). The runs rewrite
// the same gallery, whose pages mostly stay as they are; "all changed" runs
// change every page (with picture pages), so each one is written anew.
//
//   bench_pages [--small N] [--large N] [--runs R]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "run/run.h"

namespace fs = std::filesystem;

namespace {

struct QuietHost : RunHost {
  void ShowProgress(const ProgressState&) override {}
  void HideProgress() override {}
  bool PollStop() override { return false; }
  void SetStatusVisible(bool) override {}
  bool ConfirmDelete(const std::string&) override { return false; }
  void ShowReport(const std::string&) override {}
  void Warn(const std::string&) override {}
};

// A folder of `count` pictures (empty files: only names and sizes matter here)
// with their thumbnails in place for both modes.
std::string MakeFolder(const fs::path& root, int count) {
  fs::path dir = root / ("pics" + std::to_string(count));
  fs::create_directories(dir / "thumbs");
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo_%05d", i);
    std::ofstream(dir / (std::string(name) + ".jpg")) << std::string(3000, 'x');
    std::ofstream(dir / "thumbs" / (std::string(name) + "_tn.jpg"));
  }
  return dir.string();
}

struct Setup {
  const char* name;
  bool advanced;
  ExpressSettings express;
  bool changing = false;  // every run changes every page, so each is written anew
};

double TimeRun(const std::string& dir, const Setup& setup, int runs) {
  QuietHost host;
  RunReport report;
  RunInput input;
  input.directories = {dir};
  AdvancedSettings adv;
  double best = 1e9;
  ExpressSettings express = setup.express;
  for (int r = 0; r < runs; ++r) {
    if (setup.changing) express.ExpressFontName = r % 2 ? "Serif" : "Sans";
    auto start = std::chrono::steady_clock::now();
    Process(setup.advanced, input, adv, express, &host, &report);
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

int ArgOr(int argc, char** argv, const char* flag, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], flag) == 0) return std::atoi(argv[i + 1]);
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  int small = ArgOr(argc, argv, "--small", 2000);
  int large = ArgOr(argc, argv, "--large", 20000);
  int runs = ArgOr(argc, argv, "--runs", 5);
  fs::path root = fs::temp_directory_path() / ("kesto_bench_pages_" + std::to_string(getpid()));
  std::string small_dir = MakeFolder(root, small), large_dir = MakeFolder(root, large);
  ExpressSettings picture_pages;
  picture_pages.ExpressSepPage = "1";
  const Setup setups[] = {{"express", false, ExpressSettings()},
                          {"express, picture pages", false, picture_pages},
                          {"advanced", true, ExpressSettings()},
                          {"express, all changed", false, picture_pages, true}};
  for (const Setup& setup : setups) {
    double t_small = TimeRun(small_dir, setup, runs);
    double t_large = TimeRun(large_dir, setup, runs);
    std::printf("%-24s %6d pictures %.3f s   %6d pictures %.3f s   ratio %.2f\n", setup.name, small,
                t_small, large, t_large, t_large / t_small);
  }
  fs::remove_all(root);
  return 0;
}
