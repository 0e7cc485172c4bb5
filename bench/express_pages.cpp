// Times WriteExpressPages for 2,000 and 20,000 pictures in three set-ups and
// prints the best of five runs with their ratio. Every index page carries a
// link to every page, so with a menu the pages' bytes grow faster than the
// pictures (0.8 MB against 46 MB at 7 x 4); without one they grow alike.
//
//   build/bench/bench_express_pages [folder]   (default: a folder under /tmp)
#include "engine/express_pages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct SetUp {
  const char* name;
  const char* menu_location;  // anything but top, bottom or both: no menu
  const char* picture_pages;
};

std::vector<PictureFile> Pictures(int count) {
  std::vector<PictureFile> pictures;
  for (int i = 0; i < count; ++i)
    pictures.push_back({"photo_" + std::to_string(100000 + i) + ".jpg", 123456});
  return pictures;
}

double Once(const std::string& dir, int count, const SetUp& set_up) {
  fs::remove_all(dir);
  fs::create_directories(dir);
  ExpressSettings settings;
  settings.ExpressFontName = "Arial";
  settings.ExpressMenuLocation = set_up.menu_location;
  settings.ExpressSepPage = set_up.picture_pages;
  std::vector<PictureFile> pictures = Pictures(count);
  auto start = std::chrono::steady_clock::now();
  if (!WriteExpressPages(dir, pictures, settings)) std::fprintf(stderr, "write failed\n");
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of five runs, to keep the file system's noise out.
double Seconds(const std::string& dir, int count, const SetUp& set_up) {
  double best = Once(dir, count, set_up);
  for (int i = 1; i < 5; ++i) best = std::min(best, Once(dir, count, set_up));
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir =
      argc > 1 ? argv[1] : (fs::temp_directory_path() / "kesto_bench_express").string();
  const SetUp set_ups[] = {{"menu, no picture pages", "bottom", "0"},
                           {"menu and picture pages", "bottom", "1"},
                           {"no menu, no picture pages", "none", "0"}};
  for (const SetUp& set_up : set_ups) {
    double small = Seconds(dir, 2000, set_up);
    double large = Seconds(dir, 20000, set_up);
    std::printf("%-26s  2,000: %.3f s  20,000: %.3f s  ratio %.1f\n", set_up.name, small, large,
                large / small);
  }
  fs::remove_all(dir);
  return 0;
}
