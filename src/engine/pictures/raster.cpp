#include "pictures/raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kLanczosSupport = 3.0;

double Sinc(double x) {
  if (x == 0.0) return 1.0;
  x *= M_PI;
  return std::sin(x) / x;
}

double Lanczos3(double x) {
  if (std::fabs(x) >= kLanczosSupport) return 0.0;
  return Sinc(x) * Sinc(x / kLanczosSupport);
}

// The side weight a of the taps (-a, 1 + 2a, -a) that undo, to second order,
// the blur of pixels that are each the mean of `width` picture pixels: such
// a box has a variance of (1 - 1 / width^2) / 12 pixels^2 and takes about
// (2 pi f)^2 times half of it off frequency f, which the taps add back.
double SharpeningFor(double width) {
  if (width <= 1.0) return 0.0;
  return (1.0 - 1.0 / (width * width)) / 24.0;
}

// Weights w over source pixels lo..hi, convolved with (-a, 1 + 2a, -a); taps
// that fall beyond the first or last source pixel count for that pixel.
void Sharpen(double a, int last, std::vector<double>* w, int* lo, int* hi) {
  int new_lo = std::max(0, *lo - 1), new_hi = std::min(last, *hi + 1);
  std::vector<double> out(static_cast<size_t>(new_hi - new_lo + 1), 0.0);
  for (int j = *lo; j <= *hi; ++j) {
    double v = (*w)[static_cast<size_t>(j - *lo)];
    out[static_cast<size_t>(std::max(0, j - 1) - new_lo)] -= a * v;
    out[static_cast<size_t>(j - new_lo)] += (1.0 + 2.0 * a) * v;
    out[static_cast<size_t>(std::min(last, j + 1) - new_lo)] -= a * v;
  }
  *w = std::move(out), *lo = new_lo, *hi = new_hi;
}

// Output pixel `i`'s filter: its first source pixel and its weights, which
// add up to `sum`.
struct PixelTaps {
  int first = 0;
  double sum = 1.0;
  std::vector<double> weights;
};

// The picture spans `extent` source pixels (the last one may stand for less
// than a whole pixel's share of it), `reduced` after the box average.
PixelTaps TapsOf(int i, double extent, int reduced, int box, int out_size, double a) {
  double scale = extent / (static_cast<double>(box) * out_size);
  double stretch = std::max(scale, 1.0);
  double support = kLanczosSupport * stretch;
  double centre = (i + 0.5) * scale - 0.5;
  int lo = std::max(0, static_cast<int>(std::ceil(centre - support)));
  int hi = std::min(reduced - 1, static_cast<int>(std::floor(centre + support)));
  if (hi < lo) lo = hi = std::clamp(static_cast<int>(std::lround(centre)), 0, reduced - 1);
  std::vector<double> w;
  double sum = 0.0;
  for (int j = lo; j <= hi; ++j) sum += w.emplace_back(Lanczos3((j - centre) / stretch));
  if (sum == 0.0) {  // every tap on a zero of the kernel: the nearest pixel alone
    lo = hi = std::clamp(static_cast<int>(std::lround(centre)), 0, reduced - 1);
    w = {1.0};
    sum = 1.0;
  }
  if (a > 0.0) Sharpen(a, reduced - 1, &w, &lo, &hi);
  return {lo, sum, std::move(w)};
}

FilterTaps MakeTaps(int in_size, int box, int out_size, double factor, int64_t picture_size) {
  int reduced = (in_size + box - 1) / box;
  double extent = picture_size > 0 ? static_cast<double>(picture_size) / factor : in_size;
  double a = SharpeningFor(factor * box);
  std::vector<PixelTaps> pixels;
  pixels.reserve(out_size);
  FilterTaps taps;
  for (int i = 0; i < out_size; ++i) {
    pixels.push_back(TapsOf(i, extent, reduced, box, out_size, a));
    taps.width = std::max(taps.width, static_cast<int>(pixels.back().weights.size()));
  }
  size_t padded = (static_cast<size_t>(out_size) + 3) / 4 * 4;
  taps.first.resize(padded, 0);
  taps.count.resize(padded, 0);
  taps.weights.resize(padded * taps.width, 0.0f);
  for (size_t i = 0; i < pixels.size(); ++i) {
    taps.first[i] = pixels[i].first;
    taps.count[i] = static_cast<int>(pixels[i].weights.size());
    for (size_t k = 0; k < pixels[i].weights.size(); ++k) {
      taps.weights[(i / 4 * taps.width + k) * 4 + i % 4] =
          static_cast<float>(pixels[i].weights[k] / pixels[i].sum);
    }
  }
  return taps;
}

// Pixel i of `r`, `bands` bytes.
uint8_t* PixelAt(Raster* r, size_t i) { return &r->pixels[i * static_cast<size_t>(r->bands)]; }

void SwapPixels(Raster* r, size_t a, size_t b) {
  std::swap_ranges(PixelAt(r, a), PixelAt(r, a) + r->bands, PixelAt(r, b));
}

// Each row right to left.
void MirrorRows(Raster* r) {
  const size_t w = static_cast<size_t>(r->width);
  for (size_t y = 0; y < static_cast<size_t>(r->height); ++y)
    for (size_t x = 0; x < w / 2; ++x) SwapPixels(r, y * w + x, y * w + w - 1 - x);
}

// The rows bottom to top.
void FlipRows(Raster* r) {
  const size_t w = static_cast<size_t>(r->width), h = static_cast<size_t>(r->height);
  for (size_t y = 0; y < h / 2; ++y)
    std::swap_ranges(PixelAt(r, y * w), PixelAt(r, y * w + w), PixelAt(r, (h - 1 - y) * w));
}

// Rows become columns, in place: the pixel at p moves to p * height modulo
// (pixels - 1); each cycle of that permutation is followed once, a bit per
// pixel marking those already in their place.
void Transpose(Raster* r) {
  const size_t h = static_cast<size_t>(r->height);
  const size_t n = static_cast<size_t>(r->width) * h;
  std::vector<bool> placed(n);
  std::vector<uint8_t> carried(static_cast<size_t>(r->bands));
  for (size_t start = 1; start + 1 < n; ++start) {
    if (placed[start]) continue;
    std::copy_n(PixelAt(r, start), r->bands, carried.begin());
    size_t at = start;
    do {
      at = at * h % (n - 1);
      std::swap_ranges(carried.begin(), carried.end(), PixelAt(r, at));
      placed[at] = true;
    } while (at != start);
  }
  std::swap(r->width, r->height);
}

}  // namespace

RowResampler::RowResampler(int in_width, int in_height, int bands, int out_width, int out_height,
                           const Shrink& shrink)
    : in_width_(in_width),
      in_height_(in_height),
      bands_(bands),
      out_width_(out_width),
      out_height_(out_height),
      box_x_(std::max(1, in_width / (2 * out_width))),
      box_y_(std::max(1, in_height / (2 * out_height))),
      box_width_((in_width + box_x_ - 1) / box_x_),
      taps_x_(MakeTaps(in_width, box_x_, out_width, shrink.factor_x, shrink.picture_width)),
      taps_y_(MakeTaps(in_height, box_y_, out_height, shrink.factor_y, shrink.picture_height)),
      stride_(taps_x_.first.size() * bands + 3),
      sums_(box_x_ == 1 && box_y_ == 1 ? 0 : static_cast<size_t>(in_width) * bands + 3, 0),
      box_row_(static_cast<size_t>(box_width_ + taps_x_.width) * bands + 4, 0.0f),
      columns_(stride_ * ((in_height + box_y_ - 1) / box_y_), 0.0f) {}

void RowResampler::AddRow(const uint8_t* row) {
  if (rows_in_ >= in_height_) return;
  ++rows_in_;
  size_t n = static_cast<size_t>(in_width_) * bands_;
  if (box_x_ == 1 && box_y_ == 1) {
    WidenRow(row, n, box_row_.data());
    rows_in_box_ = 1;
    FlushBoxRow();
    return;
  }
  AddToSums(row, n, rows_in_box_ == 0, sums_.data());
  if (++rows_in_box_ == box_y_ || rows_in_ == in_height_) FlushBoxRow();
}

void RowResampler::FlushBoxRow() {
  if (box_x_ != 1 || box_y_ != 1)
    BoxMeans(sums_.data(), in_width_, bands_, box_x_, rows_in_box_, box_row_.data());
  rows_in_box_ = 0;
  FilterAlongRow(taps_x_, bands_, box_row_.data(), &columns_[box_rows_done_++ * stride_]);
}

Raster RowResampler::Finish() {
  if (rows_in_box_ > 0) FlushBoxRow();
  Raster out{out_width_, out_height_, bands_, {}};
  size_t n = static_cast<size_t>(out_width_) * bands_;
  out.pixels.resize(n * out_height_);
  for (int y = 0; y < out_height_; ++y)
    FilterDownRows(taps_y_, y, columns_.data(), stride_, n, &out.pixels[y * n]);
  return out;
}

RowResamplers::RowResamplers(int in_width, int in_height, int bands,
                             const std::vector<ThumbSize>& sizes, const Shrink& shrink) {
  each_.reserve(sizes.size());
  for (const ThumbSize& size : sizes)
    each_.emplace_back(in_width, in_height, bands, static_cast<int>(size.width),
                       static_cast<int>(size.height), shrink);
}

void RowResamplers::AddRow(const uint8_t* row) {
  for (RowResampler& resampler : each_) resampler.AddRow(row);
}

std::vector<Raster> RowResamplers::Finish() {
  std::vector<Raster> rasters;
  rasters.reserve(each_.size());
  for (RowResampler& resampler : each_) rasters.push_back(resampler.Finish());
  return rasters;
}

void Orient(Raster* raster, int orientation) {
  if (orientation < 2 || orientation > 8) return;
  if (orientation >= 5) Transpose(raster);
  int flip = orientation >= 5 ? orientation - 4 : orientation;  // what is left after turning
  if (flip == 2 || flip == 3) MirrorRows(raster);
  if (flip == 3 || flip == 4) FlipRows(raster);
}
