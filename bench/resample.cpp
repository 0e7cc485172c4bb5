// Resampler benchmark: the rows of typical pictures resampled to a 100 px
// high thumbnail with each instruction set the processor has (Highway's
// targets, best first). Prints the best of R runs per shape and set.
//
//   bench_resample [--runs R]
#include <hwy/targets.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "pictures/raster.h"

namespace {

struct Shape {
  const char* name;
  int in_w, in_h, bands, out_w, out_h;
  Shrink shrink;
};

// Milliseconds for one picture of `shape`, best of `runs`.
double BestTime(const Shape& shape, const std::vector<uint8_t>& pixels, int runs) {
  double best = 1e30;
  size_t stride = static_cast<size_t>(shape.in_w) * shape.bands;
  for (int r = 0; r < runs; ++r) {
    auto start = std::chrono::steady_clock::now();
    RowResampler resampler(shape.in_w, shape.in_h, shape.bands, shape.out_w, shape.out_h,
                           shape.shrink);
    for (int y = 0; y < shape.in_h; ++y) resampler.AddRow(&pixels[y * stride]);
    Raster out = resampler.Finish();
    auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc == 3 && !std::strcmp(argv[1], "--runs") ? std::atoi(argv[2]) : 20;
  if (argc != 1 && argc != 3) {
    std::fprintf(stderr, "usage: bench_resample [--runs R]\n");
    return 2;
  }
  const Shape shapes[] = {
      {"4000x3000 JPEG at 1/8", 500, 375, 3, 133, 100, {8, 8, 4000, 3000}},
      {"6000x4000 JPEG at 1/8", 750, 500, 3, 150, 100, {8, 8, 6000, 4000}},
      {"1280x960 BMP", 1280, 960, 3, 133, 100, {}},
      {"4000x3000 grey at 1/8", 500, 375, 1, 133, 100, {8, 8, 4000, 3000}},
  };
  std::mt19937 random(1);
  std::printf("%-24s", "ms per picture");
  std::vector<int64_t> targets = hwy::SupportedAndGeneratedTargets();
  for (int64_t target : targets) std::printf("%10s", hwy::TargetName(target));
  std::printf("\n");
  for (const Shape& shape : shapes) {
    std::vector<uint8_t> pixels(static_cast<size_t>(shape.in_w) * shape.in_h * shape.bands);
    for (uint8_t& v : pixels) v = static_cast<uint8_t>(random());
    std::printf("%-24s", shape.name);
    for (int64_t target : targets) {
      hwy::SetSupportedTargetsForTest(target);
      std::printf("%10.3f", BestTime(shape, pixels, runs));
    }
    hwy::SetSupportedTargetsForTest(0);
    std::printf("\n");
  }
  return 0;
}
