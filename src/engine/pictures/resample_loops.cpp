#include "pictures/resample_loops.h"

#include <algorithm>

// Highway compiles the part between the namespace markers once per
// instruction set, including this file again for each (foreach_target.h).
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "pictures/resample_loops.cpp"
#include <hwy/foreach_target.h>  // before highway.h
#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Sums are kept apart per lane and added tap after tap, a product rounded
// before it is added (the build does not fuse them), as plain code does: so
// every instruction set gives the same floats.

void WidenRow(const uint8_t* HWY_RESTRICT in, size_t n, float* HWY_RESTRICT out) {
  const hn::ScalableTag<float> df;
  const hn::RebindToSigned<decltype(df)> di;
  const hn::Rebind<uint8_t, decltype(df)> du8;
  size_t i = 0;
  for (const size_t lanes = hn::Lanes(df); i + lanes <= n; i += lanes)
    hn::StoreU(hn::ConvertTo(df, hn::PromoteTo(di, hn::LoadU(du8, in + i))), df, out + i);
  for (; i < n; ++i) out[i] = in[i];
}

void AddToSums(const uint8_t* HWY_RESTRICT in, size_t n, bool first, uint32_t* HWY_RESTRICT sums) {
  const hn::ScalableTag<uint32_t> du32;
  const hn::Rebind<uint8_t, decltype(du32)> du8;
  size_t i = 0;
  for (const size_t lanes = hn::Lanes(du32); i + lanes <= n; i += lanes) {
    auto sum = first ? hn::Zero(du32) : hn::LoadU(du32, sums + i);
    hn::StoreU(hn::Add(sum, hn::PromoteTo(du32, hn::LoadU(du8, in + i))), du32, sums + i);
  }
  for (; i < n; ++i) sums[i] = (first ? 0 : sums[i]) + in[i];
}

// The lanes are the bands of one box (and the first of the next, written
// over after).
void BoxMeans(const uint32_t* HWY_RESTRICT sums, int width, int bands, int box, int rows,
              float* HWY_RESTRICT out) {
  const hn::CappedTag<float, 4> df;
  const hn::RebindToUnsigned<decltype(df)> du32;
  const int lanes = static_cast<int>(hn::Lanes(df));
  for (int x = 0, bx = 0; x < width; x += box, ++bx) {
    int cols = std::min(box, width - x);
    const auto divisor = hn::Set(df, static_cast<float>(cols * rows));
    const uint32_t* column = sums + static_cast<size_t>(x) * bands;
    for (int c = 0; c < bands; c += lanes) {
      auto sum = hn::LoadU(du32, column + c);
      for (int j = 1; j < cols; ++j) sum = hn::Add(sum, hn::LoadU(du32, column + j * bands + c));
      hn::StoreU(hn::Div(hn::ConvertTo(df, sum), divisor), df, out + bx * bands + c);
    }
  }
}

// The lanes are the bands of one output pixel (and the first of the next,
// written over after); four pixels are summed side by side.
template <class D>
void FilterPixelsAlongRow(D d, const FilterTaps& taps, int bands, const float* HWY_RESTRICT in,
                          float* HWY_RESTRICT out) {
  const int lanes = static_cast<int>(hn::Lanes(d));
  for (size_t x = 0; x < taps.first.size(); x += 4) {
    const float* src[4];
    for (size_t j = 0; j < 4; ++j) src[j] = in + static_cast<size_t>(taps.first[x + j]) * bands;
    for (int c = 0; c < bands; c += lanes) {
      const float* w = &taps.weights[x * taps.width];
      auto s0 = hn::Zero(d), s1 = s0, s2 = s0, s3 = s0;
      for (int k = 0; k < taps.width; ++k, w += 4) {
        const size_t at = static_cast<size_t>(k) * bands + c;
        s0 = hn::Add(s0, hn::Mul(hn::Set(d, w[0]), hn::LoadU(d, src[0] + at)));
        s1 = hn::Add(s1, hn::Mul(hn::Set(d, w[1]), hn::LoadU(d, src[1] + at)));
        s2 = hn::Add(s2, hn::Mul(hn::Set(d, w[2]), hn::LoadU(d, src[2] + at)));
        s3 = hn::Add(s3, hn::Mul(hn::Set(d, w[3]), hn::LoadU(d, src[3] + at)));
      }
      float* o = out + x * bands + c;
      hn::StoreU(s0, d, o);
      hn::StoreU(s1, d, o + bands);
      hn::StoreU(s2, d, o + 2 * bands);
      hn::StoreU(s3, d, o + 3 * bands);
    }
  }
}

void FilterAlongRow(const FilterTaps& taps, int bands, const float* HWY_RESTRICT in,
                    float* HWY_RESTRICT out) {
  if (bands == 1) {
    FilterPixelsAlongRow(hn::CappedTag<float, 1>(), taps, bands, in, out);
  } else {
    FilterPixelsAlongRow(hn::CappedTag<float, 4>(), taps, bands, in, out);
  }
}

// Lanes of n values down `count` rows from `rows`, rounded to bytes as
// value + 0.5 cut to a whole number and held to 0..255.
template <class D>
void SumDownRows(D df, const float* HWY_RESTRICT w, int count, const float* HWY_RESTRICT rows,
                 size_t stride, uint8_t* HWY_RESTRICT out) {
  const hn::RebindToSigned<D> di;
  const hn::Rebind<uint8_t, D> du8;
  auto sum = hn::Zero(df);
  for (int k = 0; k < count; ++k, rows += stride)
    sum = hn::Add(sum, hn::Mul(hn::Set(df, w[4 * k]), hn::LoadU(df, rows)));
  hn::StoreU(hn::DemoteTo(du8, hn::ConvertTo(di, hn::Add(sum, hn::Set(df, 0.5f)))), du8, out);
}

void FilterDownRows(const FilterTaps& taps, int y, const float* HWY_RESTRICT rows, size_t stride,
                    size_t n, uint8_t* HWY_RESTRICT out) {
  const size_t at = static_cast<size_t>(y);
  const float* w = &taps.weights[at / 4 * taps.width * 4 + at % 4];
  const float* first = rows + static_cast<size_t>(taps.first[at]) * stride;
  const int count = taps.count[at];
  const hn::ScalableTag<float> df;
  const hn::CappedTag<float, 1> d1;
  size_t i = 0;
  for (const size_t lanes = hn::Lanes(df); i + lanes <= n; i += lanes)
    SumDownRows(df, w, count, first + i, stride, out + i);
  for (; i < n; ++i) SumDownRows(d1, w, count, first + i, stride, out + i);
}

}  // namespace HWY_NAMESPACE
}  // namespace
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace {
HWY_EXPORT(WidenRow);
HWY_EXPORT(AddToSums);
HWY_EXPORT(BoxMeans);
HWY_EXPORT(FilterAlongRow);
HWY_EXPORT(FilterDownRows);
}  // namespace

void WidenRow(const uint8_t* in, size_t n, float* out) {
  HWY_DYNAMIC_DISPATCH(WidenRow)(in, n, out);
}

void AddToSums(const uint8_t* in, size_t n, bool first, uint32_t* sums) {
  HWY_DYNAMIC_DISPATCH(AddToSums)(in, n, first, sums);
}

void BoxMeans(const uint32_t* sums, int width, int bands, int box, int rows, float* out) {
  HWY_DYNAMIC_DISPATCH(BoxMeans)(sums, width, bands, box, rows, out);
}

void FilterAlongRow(const FilterTaps& taps, int bands, const float* in, float* out) {
  HWY_DYNAMIC_DISPATCH(FilterAlongRow)(taps, bands, in, out);
}

void FilterDownRows(const FilterTaps& taps, int y, const float* rows, size_t stride, size_t n,
                    uint8_t* out) {
  HWY_DYNAMIC_DISPATCH(FilterDownRows)(taps, y, rows, stride, n, out);
}
#endif  // HWY_ONCE
