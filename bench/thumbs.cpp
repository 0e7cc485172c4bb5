// Thumbnails a folder through the batch runner and reports the speed.
//
//   bench_thumbs [--workers N] [--height H] [--quality Q] [--keep] DIR
//
// Makes NAME_tn.jpg for every picture of DIR in a fresh temporary folder
// (removed afterwards unless --keep), then prints pictures per second, wall
// time and peak memory (ru_maxrss) of the process.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "pages/picture_list.h"
#include "pictures/thumbnails.h"
#include "run/thumb_batch.h"

namespace fs = std::filesystem;

namespace {

struct Args {
  int workers = 0;
  std::string height = "100";
  int quality = 75;
  bool keep = false;
  std::string dir;
};

bool ParseArgs(int argc, char** argv, Args* args) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool has_value = i + 1 < argc;
    if (arg == "--workers" && has_value) {
      args->workers = std::atoi(argv[++i]);
    } else if (arg == "--height" && has_value) {
      args->height = argv[++i];
    } else if (arg == "--quality" && has_value) {
      args->quality = std::atoi(argv[++i]);
    } else if (arg == "--keep") {
      args->keep = true;
    } else if (args->dir.empty() && arg[0] != '-') {
      args->dir = arg;
    } else {
      return false;
    }
  }
  return !args->dir.empty();
}

class CountingListener : public ThumbListener {
 public:
  void Starting(const ThumbTask&) override {}
  void Finished(const ThumbTask&, bool, const std::string&) override { ++finished; }
  bool Poll() override { return false; }
  int finished = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Args args;
  if (!ParseArgs(argc, argv, &args)) {
    std::fprintf(stderr,
                 "usage: bench_thumbs [--workers N] [--height H] [--quality Q] [--keep] DIR\n");
    return 2;
  }
  std::string out_template = (fs::temp_directory_path() / "bench-thumbs.XXXXXX").string();
  if (!mkdtemp(out_template.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  ThumbOptions options;
  options.Height = args.height;
  options.Quality = args.quality;
  auto start = std::chrono::steady_clock::now();
  std::vector<PictureFile> pictures = ListPictures(args.dir);
  std::vector<ThumbTask> tasks = PlanThumbnails(args.dir, out_template, pictures, ThumbNaming());
  CountingListener listener;
  std::vector<std::string> corrupted =
      RunThumbnailBatch(tasks, ThumbTarget(options), options, args.workers, &listener);
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("pictures: %zu  corrupted: %zu  workers: %d\n", tasks.size(), corrupted.size(),
              args.workers);
  std::printf("wall: %.3f s  pictures/s: %.1f  peak: %ld KiB\n", wall, tasks.size() / wall,
              usage.ru_maxrss);
  for (const std::string& path : corrupted) std::printf("corrupted: %s\n", path.c_str());
  if (args.keep) {
    std::printf("thumbnails: %s\n", out_template.c_str());
  } else {
    fs::remove_all(out_template);
  }
  return 0;
}
