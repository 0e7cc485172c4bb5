// Times WriteAdvancedPages for 2,000 and 20,000 pictures, with the initial
// settings and with picture pages, and prints the ratio of the two times.
//
//   bench_advanced_pages_bench [folder]   (default: the system's temporary folder)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/advanced_pages.h"

namespace fs = std::filesystem;

namespace {

std::vector<PictureFile> Pictures(int n) {
  std::vector<PictureFile> pictures;
  char name[32];
  for (int i = 0; i < n; ++i) {
    std::snprintf(name, sizeof name, "photo_%05d.jpg", i);
    pictures.push_back({name, 100000u + static_cast<uint64_t>(i)});
  }
  return pictures;
}

// Best of three runs, in milliseconds.
double TimeRun(const fs::path& root, const std::vector<PictureFile>& pictures,
               const AdvancedSettings& settings) {
  double best = 1e300;
  for (int run = 0; run < 3; ++run) {
    fs::path dir = root / "pages";
    fs::remove_all(dir);
    fs::create_directories(dir);
    RunReport report;
    auto start = std::chrono::steady_clock::now();
    WriteAdvancedPages(dir.string(), pictures, settings, &report);
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  fs::remove_all(root / "pages");
  return best;
}

AdvancedSettings WithTemplate(const std::string& path) {
  FILE* tpl = std::fopen(path.c_str(), "wb");
  std::fputs("<HTML><BODY><IMG SRC=\"[IMAGE FILE NAME]\">[PREV THUMB] [NEXT THUMB]</BODY></HTML>",
             tpl);
  std::fclose(tpl);
  AdvancedSettings settings;
  settings.UseTmpl.assign(1, '1');
  settings.TmplAddy = path;
  return settings;
}

}  // namespace

int main(int argc, char** argv) {
  std::string base = argc > 1 ? argv[1] : fs::temp_directory_path().string();
  fs::path root = fs::path(base) / "kesto-bench";
  fs::create_directories(root);
  AdvancedSettings plain;
  AdvancedSettings with_template = WithTemplate((root / "picture.tpl").string());
  const std::pair<const char*, const AdvancedSettings*> kinds[] = {
      {"initial settings", &plain}, {"with picture pages", &with_template}};
  for (const auto& [label, settings] : kinds) {
    double small = TimeRun(root, Pictures(2000), *settings);
    double large = TimeRun(root, Pictures(20000), *settings);
    std::printf("%-20s 2,000: %8.1f ms  20,000: %8.1f ms  ratio %.1f\n", label, small, large,
                large / small);
  }
  fs::remove_all(root);
}
